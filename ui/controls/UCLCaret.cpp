#include "ui/controls/UCLCaret.h"

#include "platform/Caret.h"

#include <QPainter>
#include <QWidget>

TUCLCaret::TUCLCaret(QWidget* Owner)
    : BlinkRate(GetCaretBlinkTime()), FOwner(Owner), FPreviousBlinkRate(GetCaretBlinkTime())
{
}

TUCLCaret::~TUCLCaret()
{
    DestroyCaret();
    SetCaretBlinkTime(FPreviousBlinkRate);
}

void TUCLCaret::SetSize(Integer Index, Word Value)
{
    switch (Index) {
    case 0: FWidth = Value; break;
    case 1: FHeight = Value; break;
    case 2: FImageIndex = Value; break;
    case 3: FListIndex = Value; break;
    case 4: FFontHeight = Value; break;
    default: break;
    }
}

void TUCLCaret::Assign(const TUCLObject& Source)
{
    const auto* other = dynamic_cast<const TUCLCaret*>(&Source);
    if (!other) {
        TUCLObject::Assign(Source);
        return;
    }
    if (other == this)
        return;
    BlinkRate = other->BlinkRate;
    FWidth = other->FWidth;
    FHeight = other->FHeight;
    Style = other->Style;
}

QSize TUCLCaret::CaretSize() const
{
    switch (Style) {
    case TUCLCaretStyles::csDefault: return QSize(1, FFontHeight);
    case TUCLCaretStyles::csUnder:
    case TUCLCaretStyles::csOver: return QSize(FWidth, 1);
    case TUCLCaretStyles::csBitmap:
        if (CaretBmpMode == TUCLCaretBitmap::cbBmpSize)
            return Bitmap.size();
        return QSize(FWidth, FHeight);
    case TUCLCaretStyles::csBlock:
    case TUCLCaretStyles::csUnderBlock: break;
    }
    return QSize(FWidth, FHeight);
}

void TUCLCaret::CreateCaret()
{
    QImage image;
    if (Style == TUCLCaretStyles::csBitmap) {
        if (CaretBmpMode == TUCLCaretBitmap::cbBmpSize || Bitmap.isNull()) {
            image = Bitmap;
        } else {
            image = QImage(FWidth, FHeight, QImage::Format_RGB32);
            image.fill(Qt::black);
            QPainter p(&image);
            if (CaretBmpMode == TUCLCaretBitmap::cbTile)
                p.drawTiledPixmap(image.rect(), QPixmap::fromImage(Bitmap));
            else
                p.drawImage(image.rect(), Bitmap);
        }
    }
    const QSize size = CaretSize();
    ::CreateCaret(FOwner, image, size.width(), size.height());
    FCreated = true;
    SetCaretBlinkTime(BlinkRate);
}

void TUCLCaret::ShowCaret()
{
    if (!Enabled)
        return;
    FShown = true;
    if (!FCreated)
        CreateCaret();
    SetCaretBlinkTime(BlinkRate);
    ::ShowCaret(FOwner);
}

void TUCLCaret::HideCaret()
{
    FShown = false;
    ::HideCaret(FOwner);
    SetCaretBlinkTime(FPreviousBlinkRate);
}

void TUCLCaret::SetCaretPos(Integer X, Integer Y)
{
    if (FOwner && FOwner->hasFocus())
        ::SetCaretPos(X, Y);
}

void TUCLCaret::DestroyCaret()
{
    if (!FOwner)
        return;
    SetCaretBlinkTime(FPreviousBlinkRate);
    ::DestroyCaret(FOwner);
    FCreated = false;
    FShown = false;
}
