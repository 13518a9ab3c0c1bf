// The LED label: a window-less control that shows its caption, or an
// integer with a fixed number of digits, through an LED character painter.
#pragma once

#include "ui/controls/UCLGraphicControl.h"
#include "ui/controls/UCLLED.h"

enum class TUCLLEDStyle : Byte { lsString, lsInteger };

class TUCLLEDCustomLabel : public TUCLGraphicControl {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLLEDCustomLabel, TUCLGraphicControl)
public:
    explicit TUCLLEDCustomLabel(QWidget* Parent = nullptr);
    ~TUCLLEDCustomLabel() override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    Byte Digits() const { return FDigits; }
    void SetDigits(Byte Value);   // 0 is ignored
    TUCLLED& LED() { return FLED; }
    const TUCLLED& LED() const { return FLED; }
    void SetLED(const TUCLLED& Value) { FLED.Assign(Value); }
    TUCLLEDStyle Style() const { return FStyle; }
    void SetStyle(TUCLLEDStyle Value);

    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    Integer Value() const { return FValue; }
    void SetValue(Integer Value);

    // lsInteger: FormatValue(Value); lsString: the caption.
    virtual AnsiString GetDisplayText() const;
    // The decimal text filled with zeros on the left to Digits characters
    // (in front of a minus sign too); Digits minus signs when it is longer.
    AnsiString FormatValue(Integer Number) const;
    // Width and height of the display text in cells, with the bevel.
    void AdjustSize();

    void ContentChanged() override;
    bool IsEmpty() const override { return false; }

    // Reading from a form: no painting until Loaded.
    void BeginLoading() { FLoading = true; }
    void Loaded();

protected:
    void Paint(QPainter& Painter) override;
    void changeEvent(QEvent* Event) override;

private:
    bool FAutoSize = false;
    Byte FDigits = 2;
    TUCLLED FLED;
    Integer FValue = 0;
    TUCLLEDStyle FStyle = TUCLLEDStyle::lsString;
    AnsiString FCaption;
    bool FLoading = false;
};

// The label as forms and the front panel's LED display create it.
class TUCLLEDLabel : public TUCLLEDCustomLabel {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLLEDLabel, TUCLLEDCustomLabel)
public:
    explicit TUCLLEDLabel(QWidget* Parent = nullptr) : TUCLLEDCustomLabel(Parent) {}
};
