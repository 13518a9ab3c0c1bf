// Font pickers: a combo box and a list box of the installed font families,
// each name drawn in its own font with a symbol for scalable fonts, and a
// combo box of the point sizes of one font, linked to either of them.
#pragma once

#include "ui/controls/UCLComboBox.h"
#include "ui/controls/UCLImageListBox.h"

#include <QPointer>

#include <functional>
#include <vector>

class QLabel;

enum TUCLFontCBOption : Byte {
    foPrinterFonts = 0x01, foScreenFonts = 0x02, foTrueTypeOnly = 0x04,
    foDisplayFont = 0x08, foDisplaySymbol = 0x10, foDisplaySelectedFont = 0x20,
};
using TUCLFontCBOptions = Byte;

// Font type bits kept as each name's item object.
enum : int { RasterFontType = 1, DeviceFontType = 2, TrueTypeFontType = 4 };

// One face of a family as the font enumeration reports it.
struct TUCLFontFace {
    bool Scalable = true;   // outline fonts: any size
    int PointSize = 0;      // the size of a bitmap face
};
// The font families (name and type bits) and the faces of one family. The
// system's font database by default; tests install their own.
struct TUCLFontSource {
    std::function<std::vector<std::pair<QString, int>>()> Families;
    std::function<std::vector<TUCLFontFace>(const QString& Family)> Faces;
};
TUCLFontSource& FontSource();
void ResetFontSource();

enum class TUCLFontComboExampleAlign { eaComboBox, eaDropDownList };
enum class TUCLFontListExampleAlign { eaListRightTop, eaMousePos, eaRow };

// The symbol bitmap: a TrueType mark in the left half, a printer mark in the right.
const QImage& FontSymbolBitmap();

class TUCLFontComboBox : public TUCLCustomComboBox {
    Q_OBJECT
public:
    explicit TUCLFontComboBox(QWidget* Parent = nullptr);
    ~TUCLFontComboBox() override;

    bool ShowExample = false;
    int ExampleFontSize = 12;
    QString ExampleText = QStringLiteral("Abc");
    TUCLFontComboExampleAlign ExampleAlign = TUCLFontComboExampleAlign::eaComboBox;
    std::function<void()> FontChangeHook;   // set by a linked size combo

    TUCLFontCBOptions Options() const { return FOptions; }
    void SetOptions(TUCLFontCBOptions Value);
    QString GetSelectedFont() const { return currentText(); }
    // The first name equal ignoring case, or none; the change handling runs.
    void SelectFont(const QString& Name);
    void Refill();
    void FillList();
    void UpdateItemHeight();
    QLabel* ExampleWindow() const { return FExample; }

    void Change() override;
    void DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected) override;

protected:
    void hidePopup() override;

private:
    void ShowExampleFor(const QString& Family);
    TUCLFontCBOptions FOptions = foScreenFonts | foDisplaySymbol | foDisplaySelectedFont;
    QLabel* FExample = nullptr;
};

class TUCLFontListBox : public TUCLCustomDerivedImageListBox {
    Q_OBJECT
public:
    explicit TUCLFontListBox(QWidget* Parent = nullptr);
    ~TUCLFontListBox() override;

    bool ShowExample = false;
    int ExampleFontSize = 12;
    QString ExampleText = QStringLiteral("Abc");
    TUCLFontListExampleAlign ExampleAlign = TUCLFontListExampleAlign::eaListRightTop;
    std::function<void()> FontChangeHook;

    TUCLFontCBOptions Options() const { return FOptions; }
    void SetOptions(TUCLFontCBOptions Value);
    QString GetSelectedFont() const;   // empty without a selection
    void SelectFont(const QString& Name);
    void FillList();
    void ShowExampleAt(QPoint Pos);
    QLabel* ExampleWindow() const { return FExample; }

    void DoSelect() override;
    void DrawItem(QPainter& Canvas, int Index, const TRect& Rect, Byte State) override;

protected:
    bool viewportEvent(QEvent* event) override;

private:
    TUCLFontCBOptions FOptions = foScreenFonts | foDisplaySymbol;
    QLabel* FExample = nullptr;
    int FLastExample = -1;
};

class TUCLFontSizeComboBox : public TUCLCustomComboBox {
    Q_OBJECT
public:
    explicit TUCLFontSizeComboBox(QWidget* Parent = nullptr);

    bool UseNearestSize = false;
    int DefaultSize = 10;

    QString FontName() const { return FFontName; }
    void SetFontName(const QString& Value);   // refills and keeps the size where it can
    TUCLFontComboBox* FontCombo() const { return qobject_cast<TUCLFontComboBox*>(FFontSource.data()); }
    TUCLFontListBox* FontList() const { return qobject_cast<TUCLFontListBox*>(FFontSource.data()); }
    void SetFontCombo(TUCLFontComboBox* Value) { SetFontSource(Value); }
    void SetFontList(TUCLFontListBox* Value) { SetFontSource(Value); }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value);

    int GetFontSize() const;   // -1 when the text is no number
    void SetFontSize(int Size);
    void Refill() { FillSizeList(); }
    void FillSizeList();
    int NearestSize(int Size) const;
    void FontSourceChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void SetFontSource(QWidget* Source);
    void InsertSorted(int Size);
    QString FFontName;
    QPointer<QWidget> FFontSource;
    bool FEditorEnabled = true;
};
