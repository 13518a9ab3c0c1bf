// The caret settings of an edit and the calls that create, show, move, hide
// and destroy the system caret for the control that owns it. Showing sets the
// program-wide blink time to BlinkRate; hiding and destroying put back the
// blink time that was current when the caret object was made.
#pragma once

#include "ui/controls/UCLBase.h"

#include <QImage>

class QWidget;

enum class TUCLCaretStyles { csDefault, csBlock, csUnder, csOver, csBitmap, csUnderBlock };
enum class TUCLCaretBitmap { cbBmpSize, cbTile, cbStretch };

class TUCLCaret : public TUCLObject {
    ZK_ABSTRACT_CLASS(TUCLCaret, TUCLObject)
public:
    explicit TUCLCaret(QWidget* Owner);
    ~TUCLCaret() override;

    Word BlinkRate;   // the program's blink time at creation
    TUCLCaretStyles Style = TUCLCaretStyles::csDefault;
    TUCLCaretBitmap CaretBmpMode = TUCLCaretBitmap::cbBmpSize;
    QImage Bitmap;

    Word Width() const { return FWidth; }
    Word Height() const { return FHeight; }
    Word ImageIndex() const { return FImageIndex; }
    Word ListIndex() const { return FListIndex; }
    Word FontHeight() const { return FFontHeight; }
    // 0 Width, 1 Height, 2 ImageIndex, 3 ListIndex, 4 FontHeight. A caret that
    // exists keeps its shape until it is made again.
    void SetSize(Integer Index, Word Value);

    bool Enabled = true;
    bool Created() const { return FCreated; }
    bool Shown() const { return FShown; }

    // Copies BlinkRate, Width, Height and Style.
    void Assign(const TUCLObject& Source) override;

    void CreateCaret();
    void ShowCaret();
    void HideCaret();
    // Moves the system caret only while the owner has the focus.
    void SetCaretPos(Integer X, Integer Y);
    void DestroyCaret();

    // The caret's size for the style (the bitmap's for csBitmap at cbBmpSize).
    QSize CaretSize() const;

private:
    QWidget* FOwner;
    Word FWidth = 2;
    Word FHeight = 10;
    Word FImageIndex = 0;
    Word FListIndex = 0;
    Word FFontHeight = 0;
    Word FPreviousBlinkRate;
    bool FCreated = false;
    bool FShown = false;
};
