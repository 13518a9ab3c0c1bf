// The library's window-less label: its caption in a 3D caption font, sized
// to the text, blinking ("twinkle") on a library timer, and acting as a link
// that opens an address, a mail recipient or a program with the desktop.
#pragma once

#include "ui/controls/UCLCaption.h"
#include "ui/controls/UCLControl.h"
#include "ui/controls/UCLTimerPool.h"

#include <QPointer>

#include <memory>

enum TUCLLabelOption : Byte { loPathEllipsis = 0x01, loEndEllipsis = 0x02, loEditControl = 0x04 };
using TUCLLabelOptions = Byte;
enum class TUCLJumpModes : Byte { jmInternet, jmApplication, jmNone, jmCustom };

// Opens a link target with the desktop (its browser, mail program or the
// program itself); false when nothing could open it. Tests install their own.
using TUCLLinkOpener = std::function<bool(const AnsiString& Target)>;
void SetLinkOpener(TUCLLinkOpener Opener);
bool OpenJumpTarget(const AnsiString& Target);

class TUCLBaseLabel : public TUCLBaseGraphicControl {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLBaseLabel, TUCLBaseGraphicControl)
public:
    explicit TUCLBaseLabel(QWidget* Parent = nullptr);
    ~TUCLBaseLabel() override;

    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    TUCLAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TUCLAlignment Value);
    TUCLLabelOptions Options() const { return FOptions; }
    void SetOptions(TUCLLabelOptions Value);
    bool AutoSize() const { return FAutoSize; }
    bool MultiLine() const { return FMultiLine; }
    bool ShowAccelChar() const { return FShowAccelChar; }
    bool Twinkle() const { return FTwinkle; }
    // 0 AutoSize, 1 MultiLine, 2 ShowAccelChar, 3 Twinkle.
    void SetOption(int Index, bool Value);
    Integer TwinkleVisible = 700;
    Integer TwinkleInVisible = 700;
    TColor TwinkleColor;
    bool UseGlobalTimer = false;
    bool TwinklePhaseVisible() const { return FPhaseVisible; }
    TUCLTimer* TwinkleTimer() const { return FTimer.get(); }
    // The focus goes there on the caption's accelerator key.
    QPointer<QWidget> FocusControl;
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);

    virtual AnsiString GetLabelText() const { return FCaption; }
    virtual void AdjustBounds() {}
    bool IsEmpty() const override;
    void ContentChanged() override;
    void TwinkleTick();

protected:
    Cardinal TextFlags() const;
    virtual const TUCL3DCaption* CaptionFont() const { return nullptr; }
    void Paint(QPainter& Painter) override;
    bool event(QEvent* Event) override;

private:
    AnsiString FCaption;
    TUCLAlignment FAlignment = agTopLeft;
    TUCLLabelOptions FOptions = 0;
    bool FAutoSize = true;
    bool FMultiLine = false;
    bool FShowAccelChar = true;
    bool FTwinkle = false;
    bool FPhaseVisible = true;
    bool FPainting = false;
    TColor FFontColor;
    std::unique_ptr<TUCLTimer> FTimer;
};

class TUCLCustomSimpleLabel : public TUCLBaseLabel {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLCustomSimpleLabel, TUCLBaseLabel)
public:
    explicit TUCLCustomSimpleLabel(QWidget* Parent = nullptr);
    ~TUCLCustomSimpleLabel() override;

    TUCL3DCaption& Font3D() { return FFont3D; }
    void SetFont3D(const TUCL3DCaption& Value) { FFont3D.Assign(Value); }
    AnsiString Jump;
    TColor ActiveColor = 0x800080;
    TColor InActiveColor = 0xFF0000;
    bool JumpUnderline = true;
    TUCLJumpModes JumpMode() const { return FJumpMode; }
    void SetJumpMode(TUCLJumpModes Value);
    Integer Clicks() const { return FClicks; }
    TNotifyEvent OnClick;

    // Sizes the label to its text unless Qt lays it out.
    void AdjustBounds() override;

protected:
    const TUCL3DCaption* CaptionFont() const override { return &FFont3D; }
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    virtual void Click();

private:
    void ResetJumpLook();
    void SetUnderline(bool On);

    TUCL3DCaption FFont3D;
    TUCLJumpModes FJumpMode = TUCLJumpModes::jmNone;
    Integer FClicks = 0;
};

class TUCLSimpleLabel : public TUCLCustomSimpleLabel {
    Q_OBJECT
    ZK_ABSTRACT_CLASS(TUCLSimpleLabel, TUCLCustomSimpleLabel)
public:
    explicit TUCLSimpleLabel(QWidget* Parent = nullptr) : TUCLCustomSimpleLabel(Parent) {}
};
