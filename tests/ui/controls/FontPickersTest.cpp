#include "ui/controls/UCLFontPickers.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A scalable family and a bitmap family with the sizes 8, 10 and 12.
class FakeFonts {
public:
    FakeFonts()
    {
        FontSource().Families = [] {
            return std::vector<std::pair<QString, int>>{
                {"Outline Sans", TrueTypeFontType}, {"Fixed Bitmap", RasterFontType}, {"Other Outline", TrueTypeFontType}};
        };
        FontSource().Faces = [](const QString& family) {
            if (family.compare("Fixed Bitmap", Qt::CaseInsensitive) == 0)
                return std::vector<TUCLFontFace>{{false, 10}, {false, 8}, {false, 12}, {false, 8}};
            if (family.contains("Outline"))
                return std::vector<TUCLFontFace>{{true, 0}};
            return std::vector<TUCLFontFace>{};
        };
    }
    ~FakeFonts() { ResetFontSource(); }
};

QStringList Items(const TUCLCustomComboBox& combo)
{
    QStringList out;
    for (int k = 0; k < combo.ItemCount(); ++k)
        out << combo.ItemText(k);
    return out;
}

}   // namespace

TEST(FontCombo, SelectsNamesIgnoringCase)
{
    FakeFonts fonts;
    TUCLFontComboBox combo;
    EXPECT_EQ(Items(combo), (QStringList{"Fixed Bitmap", "Other Outline", "Outline Sans"}));
    int changes = 0;
    combo.OnChange = [&](TPersistent*) { ++changes; };
    combo.SelectFont("outline sans");
    EXPECT_EQ(combo.GetSelectedFont(), "Outline Sans");
    combo.SelectFont("Nicht Da");
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(changes, 2);

    combo.SetOptions(foScreenFonts | foTrueTypeOnly);
    EXPECT_EQ(Items(combo), (QStringList{"Other Outline", "Outline Sans"}));
}

TEST(FontCombo, ListsTheSystemFonts)
{
    TUCLFontComboBox combo;
    ASSERT_GT(combo.ItemCount(), 0);
    const QString first = combo.ItemText(0);
    combo.SelectFont(first.toUpper());
    EXPECT_EQ(combo.GetSelectedFont(), first);
}

TEST(FontSizeCombo, SizesOfScalableAndBitmapFonts)
{
    FakeFonts fonts;
    TUCLFontSizeComboBox sizes;
    sizes.SetFontName("Outline Sans");
    EXPECT_EQ(Items(sizes), (QStringList{"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28",
                                         "36", "48", "72"}));
    sizes.SetFontName("Fixed Bitmap");
    EXPECT_EQ(Items(sizes), (QStringList{"8", "10", "12"}));
}

TEST(FontSizeCombo, SetFontSizeClampsAndFindsTheNearestSize)
{
    struct Case {
        const char* name;
        const char* font;
        bool nearest;
        int size;
        QString text;
        int index;
    };
    const std::vector<Case> cases = {
        {"0 gives the default", "Outline Sans", false, 0, "10", 2},
        {"1000 gives the default", "Outline Sans", false, 1000, "10", 2},
        {"13 is not listed", "Outline Sans", false, 13, "13", -1},
        {"nearest of two equally near", "Fixed Bitmap", true, 11, "10", 1},
        {"nearest of a scalable font", "Outline Sans", true, 13, "13", -1},
        {"no font name", "", false, 12, "", -1},
    };
    for (const Case& c : cases) {
        FakeFonts fonts;
        TUCLFontSizeComboBox sizes;
        sizes.UseNearestSize = c.nearest;
        sizes.SetFontName(c.font);
        sizes.SetFontSize(c.size);
        EXPECT_EQ(sizes.currentText(), c.text) << c.name;
        EXPECT_EQ(sizes.ItemIndex(), c.index) << c.name;
        EXPECT_EQ(sizes.GetFontSize(), c.text.isEmpty() ? -1 : c.text.toInt()) << c.name;
    }
}

TEST(FontSizeCombo, FollowsTheLinkedFontCombo)
{
    FakeFonts fonts;
    TUCLFontComboBox names;
    TUCLFontSizeComboBox sizes;
    EXPECT_EQ(names.ItemIndex(), -1);   // filling chooses nothing
    sizes.SetFontCombo(&names);
    EXPECT_EQ(sizes.FontCombo(), &names);
    EXPECT_EQ(sizes.FontList(), nullptr);
    names.SelectFont("Outline Sans");
    EXPECT_EQ(names.GetSelectedFont(), "Outline Sans");
    EXPECT_EQ(sizes.FontName(), "Outline Sans");
    sizes.SetFontSize(12);
    names.SelectFont("Fixed Bitmap");   // offers 12 too
    EXPECT_EQ(sizes.ItemCount(), 3);
    EXPECT_EQ(sizes.GetFontSize(), 12);
    EXPECT_EQ(sizes.ItemIndex(), 2);

    TUCLFontListBox list;
    sizes.SetFontList(&list);
    EXPECT_FALSE(names.FontChangeHook);
    list.SelectFont("other outline");
    EXPECT_EQ(sizes.FontName(), "Other Outline");
}

TEST(FontSizeCombo, TypingFollowsTheEditorSetting)
{
    FakeFonts fonts;
    TUCLFontSizeComboBox sizes;
    QTest::keyClicks(&sizes, "12");   // no font yet: every key is refused
    EXPECT_EQ(sizes.currentText(), "");
    sizes.SetFontName("Outline Sans");
    sizes.setEditText("");
    QTest::keyClicks(&sizes, "1x4");
    EXPECT_EQ(sizes.currentText(), "14");

    sizes.SetEditorEnabled(false);
    const int before = sizes.ItemIndex();
    QTest::keyClicks(&sizes, "9");
    EXPECT_EQ(sizes.ItemIndex(), before);
    EXPECT_EQ(sizes.lineEdit(), nullptr);
}
