#include "platform/Caret.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleHints>
#include <QTimer>
#include <QWidget>

namespace {

struct TSystemCaret {
    QPointer<QWidget> Owner;
    QImage Bitmap;
    Integer Width = 0;
    Integer Height = 0;
    TPoint Pos;
    Integer HideCount = 0;
    bool PhaseOn = true;
    QTimer* Blink = nullptr;

    TRect Rect() const
    {
        const Integer w = Bitmap.isNull() ? Width : Bitmap.width();
        const Integer h = Bitmap.isNull() ? Height : Bitmap.height();
        return TRect{Pos.X, Pos.Y, Pos.X + w, Pos.Y + h};
    }
    void Repaint() const
    {
        if (Owner) {
            const TRect r = Rect();
            Owner->update(r.Left, r.Top, r.Width(), r.Height());
        }
    }
    void Restart()
    {
        PhaseOn = true;
        if (!Blink)
            return;
        if (Owner && HideCount == 0 && GetCaretBlinkTime() > 0)
            Blink->start(GetCaretBlinkTime());
        else
            Blink->stop();
    }
};

TSystemCaret& Caret()
{
    static TSystemCaret caret;
    if (!caret.Blink) {
        caret.Blink = new QTimer(QCoreApplication::instance());
        QObject::connect(caret.Blink, &QTimer::timeout, [] {
            TSystemCaret& c = Caret();
            c.PhaseOn = !c.PhaseOn;
            c.Repaint();
        });
    }
    return caret;
}

} // namespace

void CreateCaret(QWidget* Owner, const QImage& Bitmap, Integer Width, Integer Height)
{
    TSystemCaret& c = Caret();
    if (c.Owner)
        DestroyCaret(c.Owner);
    c.Owner = Owner;
    c.Bitmap = Bitmap;
    c.Width = Width;
    c.Height = Height;
    c.Pos = TPoint{};
    c.HideCount = 1;
    c.Restart();
}

bool DestroyCaret(QWidget* Owner)
{
    TSystemCaret& c = Caret();
    if (!Owner || c.Owner != Owner)
        return false;
    c.Repaint();
    c.Owner = nullptr;
    c.Bitmap = QImage();
    c.Restart();
    return true;
}

bool ShowCaret(QWidget* Owner)
{
    TSystemCaret& c = Caret();
    if (!Owner || c.Owner != Owner)
        return false;
    if (c.HideCount > 0 && --c.HideCount == 0) {
        c.Restart();
        c.Repaint();
    }
    return true;
}

bool HideCaret(QWidget* Owner)
{
    TSystemCaret& c = Caret();
    if (!Owner || c.Owner != Owner)
        return false;
    if (c.HideCount++ == 0) {
        c.Repaint();
        c.Restart();
    }
    return true;
}

void SetCaretPos(Integer X, Integer Y)
{
    TSystemCaret& c = Caret();
    c.Repaint();
    c.Pos = TPoint{X, Y};
    c.Restart();
    c.Repaint();
}

TPoint GetCaretPos()
{
    return Caret().Pos;
}

Word GetCaretBlinkTime()
{
    if (!qGuiApp)
        return 500;
    return Word(QGuiApplication::styleHints()->cursorFlashTime() / 2);
}

void SetCaretBlinkTime(Word Milliseconds)
{
    if (!qGuiApp)
        return;
    QGuiApplication::styleHints()->setCursorFlashTime(2 * Milliseconds);
    TSystemCaret& c = Caret();
    if (c.Blink && c.Blink->isActive())
        c.Restart();
}

QWidget* CaretOwner()
{
    return Caret().Owner;
}

bool CaretVisible()
{
    const TSystemCaret& c = Caret();
    return c.Owner && c.HideCount == 0;
}

TRect CaretRect()
{
    return Caret().Rect();
}

void PaintCaret(QPainter& Painter, QWidget* Owner)
{
    const TSystemCaret& c = Caret();
    if (!Owner || c.Owner != Owner || c.HideCount != 0 || !c.PhaseOn)
        return;
    Painter.save();
    Painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    if (c.Bitmap.isNull())
        Painter.fillRect(c.Pos.X, c.Pos.Y, c.Width, c.Height, Qt::white);
    else
        Painter.drawImage(c.Pos.X, c.Pos.Y, c.Bitmap);
    Painter.restore();
}
