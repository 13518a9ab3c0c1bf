// List and combo boxes that show an image from an image list beside each
// item's text. An item's text may end with the Delimiter ("|") and an image
// number; the part before the delimiter is shown.
#pragma once

#include "ui/controls/UCLComboBox.h"
#include "ui/controls/UCLGlyphTextLayout.h"
#include "ui/controls/UCLImageList.h"
#include "ui/controls/UCLListBox.h"

#include <QPointer>

enum TUCLImageBoxOption : Byte {
    lboImageListOrder = 0x01, lboCheckImageNr = 0x02, lboCalcHeight = 0x04, lboTransparentImages = 0x08,
};
using TUCLImageBoxOptions = Byte;

// The image selection both boxes share: the image list, which list of it, the
// item-to-image rule and the layout of glyph and text.
class TUCLImageItems {
public:
    explicit TUCLImageItems(std::function<void(TPersistent* Sender)> ImagesChanged);
    TUCLImageItems(const TUCLImageItems&) = delete;
    TUCLImageItems& operator=(const TUCLImageItems&) = delete;

    TUCLCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TUCLCustomImageList* Value);
    int ListIndex() const { return FListIndex; }
    bool SetListIndex(int Value);   // false when ignored

    int DefaultItem = -1;
    TUCLImageBoxOptions Options = lboImageListOrder | lboCheckImageNr;
    QChar Delimiter = QLatin1Char('|');
    bool ImagesOnly = false;
    TUCLGlyphTextLayout Layout;

    bool HasNoImages() const;
    int ImageCount() const;   // images of list ListIndex (bitmap lists: the bitmaps)
    // The image an item shows, -1 for none.
    int ImageIndexOf(int Index, int ItemCount, const QString& ItemText) const;
    QString TextBefore(const QString& ItemText) const;   // up to the first delimiter
    QSize ImageSize(int ImageIndex) const;               // empty when the list lacks it
    // Glyph (the Source part of the image, all of it when empty) and text laid
    // out in Rect by Layout.
    void Draw(QPainter& Canvas, const QRect& Rect, int ImageIndex, const QString& Text, int TextFlags,
              QRect Source, bool Enabled) const;

private:
    QPointer<TUCLCustomImageList> FImageList;
    int FListIndex = 0;
    TUCLChangeLink FLink;
    std::function<void(TPersistent*)> FImagesChanged;
};

class TUCLCustomImageListBox : public TUCLCustomListBox {
    Q_OBJECT
public:
    explicit TUCLCustomImageListBox(QWidget* Parent = nullptr);

    TUCLImageItems& Images() { return FImages; }
    void SetImageList(TUCLCustomImageList* Value) { FImages.SetImageList(Value); }
    void SetListIndex(int Value);
    void SetOptions(TUCLImageBoxOptions Value);
    void SetImagesOnly(bool Value);
    Byte GlyphNumber() const { return FGlyphNumber; }
    void SetGlyphNumber(Byte Value);
    Byte GlyphColumn() const { return FGlyphColumn; }
    void SetGlyphColumn(Byte Value);

    int ImageIndexOf(int Index) const;
    // The shown column of an image that holds GlyphNumber glyphs side by side.
    QRect GlyphColumnRect(const QRect& ImageRect) const;
    virtual int GlyphHeight(int Index) const;
    virtual int GlyphWidth(int Index) const;
    virtual void ImagesChanged(TPersistent* Sender);
    void FillImageItems();

    int ItemTextWidth(int Index) override;
    bool CanEditItems() const override { return !FImages.ImagesOnly; }
    QString GetItemText(int Index) const override;
    void DrawItem(QPainter& Canvas, int Index, const TRect& Rect, Byte State) override;
    void MeasureItem(int Index, int& Height) override;

private:
    TUCLImageItems FImages;
    Byte FGlyphNumber = 1;
    Byte FGlyphColumn = 0;
};

class TUCLImageListBox : public TUCLCustomImageListBox {
    Q_OBJECT
public:
    using TUCLCustomImageListBox::TUCLCustomImageListBox;
};

class TUCLCustomImageComboBox : public TUCLCustomComboBox {
    Q_OBJECT
public:
    explicit TUCLCustomImageComboBox(QWidget* Parent = nullptr);

    TUCLImageItems& Images() { return FImages; }
    void SetImageList(TUCLCustomImageList* Value) { FImages.SetImageList(Value); }
    void SetListIndex(int Value);
    void SetOptions(TUCLImageBoxOptions Value);
    void SetImagesOnly(bool Value);
    bool MultiLine = false;

    int ImageIndexOf(int Index) const;
    virtual QString GetItemText(int Index) const;
    virtual void ImagesChanged(TPersistent* Sender);
    void FillImageItems();

    void DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected) override;
    void MeasureItem(int Index, int& Height) override;

private:
    TUCLImageItems FImages;
};

class TUCLImageComboBox : public TUCLCustomImageComboBox {
    Q_OBJECT
public:
    using TUCLCustomImageComboBox::TUCLCustomImageComboBox;
};

// Base of the font list box: an owner-drawn list without image selection.
class TUCLCustomDerivedImageListBox : public TUCLCustomListBox {
    Q_OBJECT
public:
    using TUCLCustomListBox::TUCLCustomListBox;
};
