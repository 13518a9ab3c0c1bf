#include "ui/controls/UCLImageListBox.h"

#include "ui/controls/UCLLists.h"

#include <QPainter>

namespace {

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

TRect ToTRect(const QRect& r)
{
    return TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

bool TextBeside(TUCLTextArrange arrange)
{
    return arrange == taLeft || arrange == taLeftTop || arrange == taRight || arrange == taRightTop;
}

}   // namespace

// --- shared image selection ---

TUCLImageItems::TUCLImageItems(std::function<void(TPersistent*)> ImagesChanged)
    : FImagesChanged(std::move(ImagesChanged))
{
    FLink.OnChange = [this](TPersistent* sender) { FImagesChanged(sender); };
    Layout.OnChange = [this](TPersistent* sender) { FImagesChanged(sender); };
}

void TUCLImageItems::SetImageList(TUCLCustomImageList* Value)
{
    if (FImageList && FLink.Sender)
        FImageList->RemoveLink(&FLink);
    FImageList = Value;
    if (Value)
        Value->AddLink(&FLink);
    FImagesChanged(Value);
}

bool TUCLImageItems::SetListIndex(int Value)
{
    if (Value < 0 || Value == FListIndex)
        return false;
    FListIndex = Value;
    return true;
}

int TUCLImageItems::ImageCount() const
{
    if (!FImageList)
        return 0;
    if (dynamic_cast<const TUCLBitmapList*>(FImageList.data()))
        return FImageList->Count();
    return std::max(0, FImageList->GetCount(FListIndex));
}

bool TUCLImageItems::HasNoImages() const
{
    return !FImageList || FImageList->IsEmpty() || ImageCount() == 0;
}

QString TUCLImageItems::TextBefore(const QString& ItemText) const
{
    const auto at = ItemText.indexOf(Delimiter);
    return at < 0 ? ItemText : ItemText.left(at);
}

int TUCLImageItems::ImageIndexOf(int Index, int ItemCount, const QString& ItemText) const
{
    if (HasNoImages())
        return -1;
    if (Options & lboImageListOrder)
        return Index >= 0 && Index < ItemCount && Index < ImageCount() ? Index : -1;
    const auto at = ItemText.indexOf(Delimiter);
    if (at < 0)
        return DefaultItem;
    bool ok = false;
    const int number = ItemText.mid(at + 1, 255).toInt(&ok, 10);
    return ok ? number : -1;
}

QSize TUCLImageItems::ImageSize(int ImageIndex) const
{
    if (!FImageList || ImageIndex < 0)
        return QSize();
    const bool bitmaps = dynamic_cast<const TUCLBitmapList*>(FImageList.data()) != nullptr;
    const int list = bitmaps ? ImageIndex : FListIndex;
    const int image = bitmaps ? 0 : ImageIndex;
    if (!FImageList->IsValid(list, image))
        return QSize();
    return QSize(FImageList->GetSize(list, 0), FImageList->GetSize(list, 1));
}

void TUCLImageItems::Draw(QPainter& Canvas, const QRect& Rect, int ImageIndex, const QString& Text, int TextFlags,
                          QRect Source, bool Enabled) const
{
    const QSize image = ImageSize(ImageIndex);
    if (Source.isEmpty())
        Source = QRect(QPoint(0, 0), image);
    const QSize glyph = image.isEmpty() ? QSize() : Source.size();
    const bool wrap = TextFlags & Qt::TextWordWrap;
    const int textRoom = std::max(1, Rect.width() - (glyph.isEmpty() ? 0 : glyph.width() + Layout.Spacing()));
    const QSize text = Text.isEmpty() ? QSize()
                                      : Canvas.fontMetrics()
                                            .boundingRect(QRect(0, 0, wrap ? textRoom : 100000, 100000), TextFlags, Text)
                                            .size();
    const TUCLTextArrange arrange = Layout.AlignText2Glyph();
    const int gap = glyph.isEmpty() || text.isEmpty() ? 0 : Layout.Spacing();
    QSize box;
    if (TextBeside(arrange))
        box = QSize(glyph.width() + gap + text.width(), std::max(glyph.height(), text.height()));
    else
        box = QSize(std::max(glyph.width(), text.width()), glyph.height() + gap + text.height());
    const QRect placed = ToQRect(AlignRectIn(Layout.Alignment(), TRect{0, 0, box.width(), box.height()}, ToTRect(Rect)))
                             .translated(Layout.OffsetX(), Layout.OffsetY());
    QPoint glyphAt = placed.topLeft();
    QRect textRect(placed.topLeft(), text);
    const bool top = arrange == taLeftTop || arrange == taRightTop;
    switch (arrange) {
    case taRight:
    case taRightTop:
        textRect.moveLeft(placed.left() + glyph.width() + gap);
        glyphAt.ry() += (box.height() - glyph.height()) / 2;
        if (!top)
            textRect.moveTop(placed.top() + (box.height() - text.height()) / 2);
        break;
    case taLeft:
    case taLeftTop:
        glyphAt.rx() += text.width() + gap;
        glyphAt.ry() += (box.height() - glyph.height()) / 2;
        if (!top)
            textRect.moveTop(placed.top() + (box.height() - text.height()) / 2);
        break;
    case taTop:
    case taTopLeft:
        glyphAt.ry() += text.height() + gap;
        glyphAt.rx() += (box.width() - glyph.width()) / 2;
        if (arrange == taTop)
            textRect.moveLeft(placed.left() + (box.width() - text.width()) / 2);
        break;
    case taBottom:
    case taBottomLeft:
        textRect.moveTop(placed.top() + glyph.height() + gap);
        glyphAt.rx() += (box.width() - glyph.width()) / 2;
        if (arrange == taBottom)
            textRect.moveLeft(placed.left() + (box.width() - text.width()) / 2);
        break;
    }
    if (!glyph.isEmpty()) {
        const bool bitmaps = dynamic_cast<const TUCLBitmapList*>(FImageList.data()) != nullptr;
        const int list = bitmaps ? ImageIndex : FListIndex;
        const int index = bitmaps ? 0 : ImageIndex;
        const TRect cell = FImageList->GetImageRect(list, index);
        const QRect part = Source.translated(cell.Left, cell.Top);
        const TRect dest{glyphAt.x(), glyphAt.y(), glyphAt.x() + glyph.width(), glyphAt.y() + glyph.height()};
        auto* images = dynamic_cast<const TUCLImageList*>(FImageList.data());
        const QImage* canvas = FImageList->GetCanvas(list);
        if (images && images->GetMasked(list)) {
            DrawGlyph(Canvas, dest, *canvas, ToTRect(part), 0x0100, clNone, &images->Item(list)->MaskImages());
        } else if (canvas && (images || bitmaps)) {
            const bool transparent = Options & lboTransparentImages;
            DrawGlyph(Canvas, dest, *canvas, ToTRect(part), transparent ? 0x0040 : 0,
                      FImageList->GetTransparentColor(list, index), nullptr);
        } else {   // any other image list: through a copy of the image
            QImage copy;
            FImageList->GetBitmap(list, index, &copy);
            Canvas.drawImage(QPoint(dest.Left, dest.Top), copy, Source);
        }
    }
    if (!text.isEmpty()) {
        if (!Enabled)
            Canvas.setPen(ColorToQColor(clGrayText));
        Canvas.drawText(textRect, TextFlags, Text);
    }
}

// --- image list box ---

TUCLCustomImageListBox::TUCLCustomImageListBox(QWidget* Parent)
    : TUCLCustomListBox(Parent), FImages([this](TPersistent* sender) { ImagesChanged(sender); })
{
}

void TUCLCustomImageListBox::SetListIndex(int Value)
{
    if (FImages.SetListIndex(Value) && FImages.ImageList())
        ImagesChanged(FImages.ImageList());
}

void TUCLCustomImageListBox::SetOptions(TUCLImageBoxOptions Value)
{
    FImages.Options = Value;
    SetItemAutoHeight(Value & lboCalcHeight);
    RefreshItemSizes();
}

void TUCLCustomImageListBox::SetImagesOnly(bool Value)
{
    FImages.ImagesOnly = Value;
    if (Value)
        FillImageItems();
    else
        ClearItems();
}

void TUCLCustomImageListBox::SetGlyphNumber(Byte Value)
{
    if (Value == 0 || Value == FGlyphNumber)
        return;
    FGlyphNumber = Value;
    if (FGlyphColumn >= FGlyphNumber)
        FGlyphColumn = Byte(FGlyphNumber - 1);
    if (FImages.ImageList())
        ImagesChanged(FImages.ImageList());
}

void TUCLCustomImageListBox::SetGlyphColumn(Byte Value)
{
    if (Value == FGlyphColumn || Value >= FGlyphNumber)
        return;
    FGlyphColumn = Value;
    if (FImages.ImageList())
        ImagesChanged(FImages.ImageList());
}

int TUCLCustomImageListBox::ImageIndexOf(int Index) const
{
    return FImages.ImageIndexOf(Index, count(), ItemText(Index));
}

QRect TUCLCustomImageListBox::GlyphColumnRect(const QRect& ImageRect) const
{
    if (FGlyphNumber <= 1)
        return ImageRect;
    const int w = ImageRect.width() / FGlyphNumber;
    const QRect column(ImageRect.left() + w * FGlyphColumn, ImageRect.top(), w, ImageRect.height());
    return ImageRect.contains(column) ? column : ImageRect;
}

int TUCLCustomImageListBox::GlyphHeight(int Index) const
{
    return FImages.ImageSize(ImageIndexOf(Index)).height();
}

int TUCLCustomImageListBox::GlyphWidth(int Index) const
{
    const int width = FImages.ImageSize(ImageIndexOf(Index)).width();
    return FGlyphNumber > 1 ? width / FGlyphNumber : width;
}

void TUCLCustomImageListBox::ImagesChanged(TPersistent* Sender)
{
    if (Sender == &FImages.Layout) {
        if (LargeTextOptions() == TUCLListBoxLargeTextOptions::lbltHorzScrollBar)
            RecalcWidestItem();
    } else if (FImages.ImagesOnly) {
        FillImageItems();
    }
    RefreshItemSizes();
}

void TUCLCustomImageListBox::FillImageItems()
{
    if (!FImages.ImagesOnly)
        return;
    ClearItems();
    const int images = FImages.HasNoImages() ? 0 : FImages.ImageCount();
    for (int k = 0; k < images; ++k)
        AddItem(QString());
}

QString TUCLCustomImageListBox::GetItemText(int Index) const
{
    if (Index < 0 || Index >= count())
        return QString();
    return FImages.TextBefore(ItemText(Index));
}

int TUCLCustomImageListBox::ItemTextWidth(int Index)
{
    int width = fontMetrics().horizontalAdvance(ItemText(Index)) + 2 + FImages.Layout.OffsetX();
    if (!FImages.HasNoImages() && TextBeside(FImages.Layout.AlignText2Glyph()))
        width += GlyphWidth(Index) + FImages.Layout.Spacing();
    return width;
}

void TUCLCustomImageListBox::DrawItem(QPainter& Canvas, int Index, const TRect& Rect, Byte State)
{
    QRect r = ToQRect(Rect).adjusted(Margin(), 0, -Margin(), -1);
    if (OnDrawItem) {
        OnDrawItem(this, Index, Canvas, ToTRect(r), State);
        return;
    }
    const QString text = (FImages.Options & lboCheckImageNr) ? GetItemText(Index) : ItemText(Index);
    QString shown = text;
    int flags = TextFlags();
    if (LargeTextOptions() == TUCLListBoxLargeTextOptions::lbltEndEllipsis ||
        LargeTextOptions() == TUCLListBoxLargeTextOptions::lbltPathEllipsis) {
        shown = ShownText(text, r.width() - GlyphWidth(Index) - FImages.Layout.Spacing());
        flags = (flags & ~Qt::TextWordWrap) | Qt::TextSingleLine;
    }
    const int image = ImageIndexOf(Index);
    const QSize size = FImages.ImageSize(image);
    FImages.Draw(Canvas, r, image, shown, flags, GlyphColumnRect(QRect(QPoint(0, 0), size)), !(State & odDisabled));
}

void TUCLCustomImageListBox::MeasureItem(int Index, int& Height)
{
    if (Index == -1) {
        TUCLCustomListBox::MeasureItem(Index, Height);
        return;
    }
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
    if (!ItemAutoHeight())
        return;
    int glyph = GlyphHeight(Index);
    if (glyph == 0)
        glyph = -1;
    const int stacked = glyph > 0 ? FImages.Layout.Spacing() + glyph + FImages.Layout.OffsetY() + 2 : 0;
    const QString text = (FImages.Options & lboCheckImageNr) ? GetItemText(Index) : ItemText(Index);
    int textHeight = 0;
    if (!text.isEmpty()) {
        const QRect room(0, 0, MultiLine() ? viewport()->width() - GlyphWidth(Index) - 4 : 100000, 100000);
        textHeight = fontMetrics().boundingRect(room, TextFlags(), text).height();
    }
    const int needed = TextBeside(FImages.Layout.AlignText2Glyph()) ? std::max(glyph, textHeight) : stacked + textHeight;
    Height = Height < needed ? needed : ItemHeight();
}

// --- image combo box ---

TUCLCustomImageComboBox::TUCLCustomImageComboBox(QWidget* Parent)
    : TUCLCustomComboBox(Parent), FImages([this](TPersistent* sender) { ImagesChanged(sender); })
{
    SetStyle(TComboBoxStyle::csOwnerDrawFixed);
}

void TUCLCustomImageComboBox::SetListIndex(int Value)
{
    if (FImages.SetListIndex(Value) && FImages.ImageList())
        ImagesChanged(FImages.ImageList());
}

void TUCLCustomImageComboBox::SetOptions(TUCLImageBoxOptions Value)
{
    FImages.Options = Value;
    SetStyle((Value & lboCalcHeight) ? TComboBoxStyle::csOwnerDrawVariable : TComboBoxStyle::csOwnerDrawFixed);
}

void TUCLCustomImageComboBox::SetImagesOnly(bool Value)
{
    FImages.ImagesOnly = Value;
    if (Value)
        FillImageItems();
    else
        ClearItems();
}

int TUCLCustomImageComboBox::ImageIndexOf(int Index) const
{
    return FImages.ImageIndexOf(Index, count(), itemText(Index));
}

QString TUCLCustomImageComboBox::GetItemText(int Index) const
{
    if (FImages.ImagesOnly)
        return QString();
    return (FImages.Options & lboCheckImageNr) ? FImages.TextBefore(itemText(Index)) : itemText(Index);
}

void TUCLCustomImageComboBox::ImagesChanged(TPersistent* Sender)
{
    if (Sender != &FImages.Layout && FImages.ImagesOnly)
        FillImageItems();
    view()->doItemsLayout();
    update();
}

void TUCLCustomImageComboBox::FillImageItems()
{
    if (!FImages.ImagesOnly)
        return;
    setUpdatesEnabled(false);
    ClearItems();
    const int images = FImages.HasNoImages() ? 0 : FImages.ImageCount();
    for (int k = 0; k < images; ++k)
        AddItem(QStringLiteral(" "));
    setUpdatesEnabled(true);
}

void TUCLCustomImageComboBox::DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected)
{
    Canvas.fillRect(Rect, ColorToQColor(Selected ? clHighlight : clWindow));
    Canvas.setPen(Selected ? ColorToQColor(clHighlightText) : palette().color(QPalette::Text));
    if (Index < 0)
        return;
    if (OnDrawItem) {
        OnDrawItem(this, Index, Canvas, Rect, Selected);
        return;
    }
    const int flags = Qt::AlignVCenter | Qt::AlignLeft | (MultiLine ? Qt::TextWordWrap : Qt::TextSingleLine);
    FImages.Draw(Canvas, Rect.adjusted(1, 0, 0, -1), ImageIndexOf(Index), GetItemText(Index), flags, QRect(),
                 isEnabled());
}

void TUCLCustomImageComboBox::MeasureItem(int Index, int& Height)
{
    TUCLCustomComboBox::MeasureItem(Index, Height);
    if (Style() != TComboBoxStyle::csOwnerDrawVariable || Index == -1 || Index == currentIndex())
        return;
    const QSize image = FImages.ImageSize(ImageIndexOf(Index));
    int a = image.isEmpty() ? -1 : image.height() + 2;
    const int glyphSpace = image.isEmpty() ? 0 : image.width() + FImages.Layout.Spacing() + 2;
    const QString text = GetItemText(Index);
    if (MultiLine && !text.isEmpty()) {
        const QRect room(0, 0, std::max(1, width() - glyphSpace - 14), 100000);
        a = std::max(a, fontMetrics().boundingRect(room, Qt::TextWordWrap, text).height());
    }
    if (a > Height)
        Height = a;
}
