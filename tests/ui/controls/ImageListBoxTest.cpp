#include "ui/controls/UCLImageListBox.h"
#include "ui/controls/UCLLists.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage Filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void AddBitmaps(TUCLBitmapList& list, int n, int w = 8)
{
    for (int k = 0; k < n; ++k)
        list.Item(list.AddItem())->SetBitmap(Filled(w, 8, qRgb(255, 0, 0)));
}

}   // namespace

TEST(ImageListBox, ItemsChooseTheirImage)
{
    struct Case {
        const char* name;
        TUCLImageBoxOptions options;
        int defaultItem;
        int images;
        int index;
        const char* text;
        int expected;
    };
    const std::vector<Case> cases = {
        {"list order, image exists", lboImageListOrder | lboCheckImageNr, -1, 4, 3, "d", 3},
        {"list order, too few images", lboImageListOrder | lboCheckImageNr, -1, 3, 3, "d", -1},
        {"number after the delimiter", lboCheckImageNr, -1, 4, 0, "Name|2", 2},
        {"letter after the delimiter", lboCheckImageNr, -1, 4, 0, "Name|x", -1},
        {"no delimiter, default item", lboCheckImageNr, 1, 4, 0, "Name", 1},
        {"no delimiter, no default", lboCheckImageNr, -1, 4, 0, "Name", -1},
        {"no image list", lboImageListOrder, -1, 0, 0, "a", -1},
    };
    for (const Case& c : cases) {
        TUCLBitmapList bitmaps;
        AddBitmaps(bitmaps, c.images);
        TUCLImageListBox box;
        for (const char* text : {"a", "b", "c"})
            box.AddItem(text);
        box.InsertItem(c.index, c.text);
        if (c.images)
            box.SetImageList(&bitmaps);
        box.SetOptions(c.options);
        box.Images().DefaultItem = c.defaultItem;
        EXPECT_EQ(box.ImageIndexOf(c.index), c.expected) << c.name;
    }
}

TEST(ImageListBox, SearchResultListShowsTheTextBeforeTheDelimiter)
{
    TUCLImageListBox results;
    results.SetSorted(true);
    results.AddItem("UND-Gatter|TBTAnd");
    results.AddItem("Zaehler");
    EXPECT_EQ(results.GetItemText(0), "UND-Gatter");
    EXPECT_EQ(results.GetItemText(1), "Zaehler");
    EXPECT_EQ(results.GetItemText(2), "");
    EXPECT_EQ(results.ImageIndexOf(0), -1);
}

TEST(ImageListBox, GlyphColumnsSplitTheImage)
{
    TUCLImageListBox box;
    box.SetGlyphNumber(3);
    box.SetGlyphColumn(2);
    EXPECT_EQ(box.GlyphColumnRect(QRect(0, 0, 30, 10)), QRect(20, 0, 10, 10));
    box.SetGlyphColumn(3);   // not below GlyphNumber: ignored
    EXPECT_EQ(box.GlyphColumn(), 2);
    box.SetGlyphNumber(2);
    EXPECT_EQ(box.GlyphColumn(), 1);
    EXPECT_EQ(box.GlyphColumnRect(QRect(0, 0, 30, 10)), QRect(15, 0, 15, 10));
    box.SetGlyphNumber(0);
    EXPECT_EQ(box.GlyphNumber(), 2);
}

TEST(ImageListBox, ImagesOnlyMakesOneItemPerImageAndRefusesEditing)
{
    TUCLBitmapList bitmaps;
    AddBitmaps(bitmaps, 8);
    TUCLImageListBox box;
    box.SetImageList(&bitmaps);
    box.SetImagesOnly(true);
    EXPECT_EQ(box.ItemCount(), 8);
    bitmaps.AddItem();   // a change of the list refills
    bitmaps.Item(8)->SetBitmap(Filled(8, 8, 0));
    EXPECT_EQ(box.ItemCount(), 9);

    box.EditOptions = lboAllowEdit | lboAllowInsert;
    box.SetItemIndex(0);
    box.show();
    QApplication::setActiveWindow(&box);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_F2);
    QTest::keyClick(&box, Qt::Key_Insert);
    EXPECT_EQ(box.Editor(), nullptr);
    EXPECT_EQ(box.ItemCount(), 9);

    box.SetImagesOnly(false);
    EXPECT_EQ(box.ItemCount(), 0);

    TUCLImageComboBox combo;
    combo.SetImageList(&bitmaps);
    combo.SetImagesOnly(true);
    EXPECT_EQ(combo.ItemCount(), 9);
    EXPECT_EQ(combo.ItemText(0), " ");
    EXPECT_EQ(combo.GetItemText(0), "");
}

TEST(ImageListBox, FreedImageListLeavesTextOnly)
{
    TUCLImageListBox box;
    box.AddItem("a");
    {
        TUCLBitmapList bitmaps;
        AddBitmaps(bitmaps, 2);
        box.SetImageList(&bitmaps);
        EXPECT_EQ(box.ImageIndexOf(0), 0);
    }
    EXPECT_EQ(box.Images().ImageList(), nullptr);
    EXPECT_EQ(box.ImageIndexOf(0), -1);
}

TEST(ImageListBox, DrawsTheImageBesideTheText)
{
    TUCLBitmapList bitmaps;
    AddBitmaps(bitmaps, 1);
    TUCLImageListBox box;
    box.resize(120, 60);
    box.SetColor(clWhite);
    box.SetItemHeight(12);
    box.SetImageList(&bitmaps);
    box.AddItem("Bild");
    box.AddItem("ohne");   // no second image
    const QImage shot = box.grab().toImage();
    const QPoint origin = box.viewport()->pos();
    const QRect first = box.visualItemRect(box.item(0)).translated(origin);
    const QRect second = box.visualItemRect(box.item(1)).translated(origin);
    // The glyph sits at the left of the item, after the margin.
    EXPECT_EQ(shot.pixel(first.left() + 3, first.top() + 4), qRgb(255, 0, 0));
    EXPECT_NE(shot.pixel(second.left() + 3, second.top() + 4), qRgb(255, 0, 0));

    TUCLImageComboBox combo;
    combo.SetImageList(&bitmaps);
    combo.AddItem("Bild");
    QImage item(60, 12, QImage::Format_RGB32);
    {
        QPainter p(&item);
        combo.DrawItem(p, 0, QRect(0, 0, 60, 12), false);
    }
    EXPECT_EQ(item.pixel(3, 4), qRgb(255, 0, 0));
}
