#include "ui/controls/UCLListBox.h"

#include "RenderHelpers.h"
#include "platform/Colors.h"
#include "platform/IniFile.h"
#include "ui/controls/UCLApplication.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A list with header of known geometry: no frame, one font, fixed rows.
struct Grid {
    TUCLListBox box;
    explicit Grid(std::vector<int> widths, std::initializer_list<const char*> items = {})
    {
        TUCLScrollBoxBevel bevel;
        bevel.SetMode(TUCLBevelMode::bmCustom);
        box.SetBevel(bevel);
        box.resize(300, 120);
        box.Header()->ClearSections();
        for (int w : widths)
            box.Header()->AddSection(QStringLiteral("c"), w);
        box.SetIntegerInfo(4, 16);
        for (const char* text : items)
            box.GetItems()->AddItem(QString::fromLatin1(text));
        box.show();
    }
    QImage ListImage() { return Render(*box.List()->viewport()); }
};

// Any pixel in the rectangle darker than the background: text was drawn there.
bool HasInk(const QImage& image, QRect r)
{
    r = r.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

}   // namespace

TEST(HeaderListBox, DelimitedPiecesGoToTheirSections)
{
    struct Case {
        std::vector<int> widths;
        const char* item;
        std::vector<bool> inkInColumn;   // columns of 60 pixels from x = 0
    };
    const std::vector<Case> cases = {
        {{60, 60, 60}, "1;2;234", {true, true, true}},
        {{60, 60}, "1;2;234", {true, true, false}},      // pieces beyond the sections are not drawn
        {{60, 60, 60}, "1;;3", {true, false, true}},     // an empty piece leaves its column empty
        {{60, 60, 60}, ";2", {false, true, false}},      // a leading delimiter gives an empty first piece
        {{60, 60, 60}, "   ", {false, false, false}},    // blanks only: no text
    };
    for (const Case& c : cases) {
        Grid grid(c.widths, {c.item});
        const QImage image = grid.ListImage();
        for (std::size_t col = 0; col < c.inkInColumn.size(); ++col)
            EXPECT_EQ(HasInk(image, QRect(int(col) * 60 + 2, 0, 56, 16)), c.inkInColumn[col])
                << c.item << " under " << c.widths.size() << " sections, column " << col;
    }
}

TEST(HeaderListBox, WithoutSectionsTheWholeTextIsDrawnFromTheLeft)
{
    Grid grid({}, {"1;2;234"});
    const QImage image = grid.ListImage();
    EXPECT_FALSE(HasInk(image, QRect(0, 0, 3, 16)));   // 2 pixels in (after the list's margin)
    EXPECT_TRUE(HasInk(image, QRect(3, 0, 60, 16)));
    EXPECT_FALSE(HasInk(image, QRect(0, 16, 300, 16)));
}

TEST(HeaderListBox, AlternateSelectedAndDisabledRowColours)
{
    Grid grid({100, 100}, {"a", "b", "c", "d"});
    grid.box.SetBooleanOption(14, true);
    grid.box.SetBooleanOption(3, true);
    grid.box.SetColorOption(5, 0x00FFFF);   // yellow odd rows
    grid.box.SetColorOption(1, 0x800000);   // dark blue selection
    grid.box.SetColorOption(0, 0xFFFFFF);
    grid.box.List()->SetSelected(3, true);
    QImage image = grid.ListImage();
    // Row backgrounds, sampled right of the text.
    EXPECT_EQ(PixelRgb(image, 150, 8), 0xFFFFFFu);
    EXPECT_EQ(PixelRgb(image, 150, 16 + 8), 0xFFFF00u);
    EXPECT_EQ(PixelRgb(image, 150, 32 + 8), 0xFFFFFFu);
    EXPECT_EQ(PixelRgb(image, 150, 48 + 8), 0x000080u);   // a selected odd row takes the selection colour
    EXPECT_EQ(grid.box.SelCount(), 1);
    EXPECT_TRUE(grid.box.GetSelected(3));

    // Line settings have the last word.
    grid.box.OnGetLineSettings = [](TUCLListBox*, int index, Byte, TColor& back, QFont&, TColor&) {
        if (index == 0)
            back = 0x0000FF;
    };
    image = grid.ListImage();
    EXPECT_EQ(PixelRgb(image, 150, 8), 0xFF0000u);
}

TEST(HeaderListBox, DisabledRowsUseTheInactiveCaptionColour)
{
    Grid grid({150}, {"XXXXXXXX"});
    grid.box.SetColorOption(0, 0xFFFFFF);
    TColor seen = 0;
    grid.box.OnPrepareDrawItem = [&seen](TUCLCustomListBox*, int, QPainter& canvas, const TRect&, Byte state) {
        if (state & odDisabled)
            seen = QColorToColor(canvas.pen().color());
    };
    grid.box.SetBooleanOption(0, false);
    grid.ListImage();
    EXPECT_EQ(seen, QColorToColor(ColorToQColor(clInactiveCaption)));
}

TEST(HeaderListBox, GridLines)
{
    // Sections of 60 and 80 in a client 300 wide: vertical lines at the
    // section ends; with sections filling the width the last one is left out.
    struct Case {
        TUCLLBGridLines lines;
        std::vector<int> widths;
        std::vector<int> lineX;
        std::vector<int> noLineX;
        bool horizontal;
    };
    const std::vector<Case> cases = {
        {TUCLLBGridLines::glVertical, {60, 80}, {60, 140}, {100}, false},
        {TUCLLBGridLines::glBoth, {60, 80}, {60, 140}, {100}, true},
        {TUCLLBGridLines::glHorizontal, {60, 80}, {}, {60, 140}, true},
        {TUCLLBGridLines::glNone, {60, 80}, {}, {60, 140}, false},
    };
    for (const Case& c : cases) {
        Grid grid(c.widths, {"x", "y"});
        grid.box.SetColorOption(0, 0xFFFFFF);
        grid.box.SetColorOption(2, 0x0000FF);   // red horizontal lines
        grid.box.SetColorOption(3, 0xFF0000);   // blue vertical lines
        grid.box.SetGridLines(c.lines);
        const QImage image = grid.ListImage();
        for (int x : c.lineX)
            EXPECT_EQ(PixelRgb(image, x, 4), 0x0000FFu) << "line at " << x;
        for (int x : c.noLineX)
            EXPECT_EQ(PixelRgb(image, x, 4), 0xFFFFFFu) << "no line at " << x;
        EXPECT_EQ(PixelRgb(image, 200, 14) == 0xFF0000u, c.horizontal);
    }

    // Sections adding up to the client width: the last line is not drawn.
    Grid full({100, 100}, {"x"});
    full.box.SetColorOption(0, 0xFFFFFF);
    full.box.SetColorOption(3, 0xFF0000);
    full.box.SetGridLines(TUCLLBGridLines::glVertical);
    const int client = full.box.ClientWidth();
    full.box.Header()->SetSectionWidth(1, client - 101);   // Rect.Left is 1: the sum ends at the edge
    QImage image = full.ListImage();
    EXPECT_EQ(PixelRgb(image, 100, 4), 0x0000FFu);
    EXPECT_EQ(PixelRgb(image, client - 1, 4), 0xFFFFFFu);

    // A blank item gets no grid lines.
    Grid blank({60}, {"  "});
    blank.box.SetColorOption(0, 0xFFFFFF);
    blank.box.SetColorOption(3, 0xFF0000);
    blank.box.SetGridLines(TUCLLBGridLines::glBoth);
    image = blank.ListImage();
    EXPECT_EQ(PixelRgb(image, 60, 4), 0xFFFFFFu);
    EXPECT_EQ(PixelRgb(image, 30, 14), 0xFFFFFFu);
}

TEST(HeaderListBox, EnabledAndAllowResizeSwitchTheHeader)
{
    Grid grid({50});
    grid.box.SetBooleanOption(5, false);
    EXPECT_FALSE(grid.box.Header()->isEnabled());
    grid.box.SetBooleanOption(0, false);
    EXPECT_FALSE(grid.box.Header()->isEnabled());
    EXPECT_FALSE(grid.box.List()->isEnabled());
    EXPECT_FALSE(grid.box.GetBooleanOption(0));
    grid.box.SetBooleanOption(0, true);
    EXPECT_TRUE(grid.box.Header()->isEnabled());   // whatever AllowResize was
    EXPECT_TRUE(grid.box.List()->isEnabled());
    EXPECT_FALSE(grid.box.GetBooleanOption(21));   // AutoScroll always reads false
    EXPECT_FALSE(grid.box.GetBooleanOption(99));
}

TEST(HeaderListBox, IndexedAccessors)
{
    Grid grid({90, 230, 70, 200}, {"a", "b", "c"});
    grid.box.SetIntegerInfo(0, 22);
    grid.box.SetIntegerInfo(1, 2);
    struct {
        int index;
        int expected;
    } const cases[] = {{0, 22}, {1, 2}, {2, 0}, {3, 1}, {4, 16}, {5, 4}, {6, 0}, {-1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(grid.box.GetIntegerInfo(c.index), c.expected) << c.index;
    EXPECT_EQ(grid.box.Header()->height(), 22);
    EXPECT_EQ(grid.box.List()->y(), 22);
    grid.box.SetBooleanOption(2, false);   // no header: the list starts at the top
    EXPECT_EQ(grid.box.List()->y(), 0);
    EXPECT_EQ(grid.box.GetColorOption(42), clWhite);
    grid.box.SetColorOption(42, clRed);   // ignored
    EXPECT_EQ(grid.box.GetColorOption(42), clWhite);
    grid.box.Clear();
    EXPECT_EQ(grid.box.GetItems()->ItemCount(), 0);
}

TEST(HeaderListBox, SelectEventComesFromTheInnerList)
{
    Grid grid({50}, {"a", "b"});
    grid.box.show();
    TPersistent* sender = nullptr;
    grid.box.SetOnSelect([&sender](TPersistent* s) { sender = s; });
    const QRect row = grid.box.List()->visualItemRect(grid.box.List()->item(1));
    QTest::mouseClick(grid.box.List()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(sender, static_cast<TPersistent*>(grid.box.List()));
}

TEST(HeaderListBox, VirtualWidthScrollsHeaderAndList)
{
    Grid grid({200, 200});
    grid.box.SetBooleanOption(16, true);
    EXPECT_EQ(grid.box.VirtualWidth(), 400);
    EXPECT_TRUE(grid.box.HorzScrollBar()->isVisibleTo(&grid.box));
    EXPECT_EQ(grid.box.Header()->width(), 400);
    EXPECT_EQ(grid.box.List()->width(), 400);
    grid.box.Scroll(true, TUCLScrollCode::SB_THUMBPOSITION, 50);
    EXPECT_EQ(grid.box.Header()->x(), -50);
    EXPECT_EQ(grid.box.List()->x(), -50);
    grid.box.SetVirtualWidth(-5);   // ignored
    EXPECT_EQ(grid.box.VirtualWidth(), 400);
    // Narrower sections: back to the client width.
    grid.box.Header()->SetSectionWidth(1, 20);
    grid.box.UpdateVirtualWidth();
    EXPECT_EQ(grid.box.VirtualWidth(), 0);
    EXPECT_EQ(grid.box.List()->x(), 0);
    EXPECT_EQ(grid.box.List()->width(), grid.box.ClientWidth());
    EXPECT_FALSE(grid.box.HorzScrollBar()->isVisibleTo(&grid.box));
    grid.box.SetBooleanOption(16, false);
    EXPECT_EQ(grid.box.VirtualWidth(), 0);
}

TEST(HeaderListBox, UserResizeReportsTheSection)
{
    Grid grid({50, 50});
    int sized = -1, width = -1, notified = -1;
    grid.box.OnHeaderSized = [&](TPersistent*, int section, int w) {
        sized = section;
        width = w;
    };
    grid.box.OnHeaderSectionResize = [&](TUCLHeaderControl*, int section) { notified = section; };
    grid.box.Header()->resizeSection(1, 80);   // as a drag does
    EXPECT_EQ(sized, 1);
    EXPECT_EQ(width, 80);
    EXPECT_EQ(notified, 1);
    sized = -1;
    grid.box.Header()->SetSectionWidth(0, 70);   // set by code: no report
    EXPECT_EQ(sized, -1);
}

namespace {

class HeaderListBoxIni : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        File = Dir.path().toStdString() + "/grid.ini";
        Ini.SetTarget(TUCLIniTarget::itIniFile);
        Ini.IniPrefix = ppFixed;
        Ini.SetIniFile(File);
    }
    std::unique_ptr<TUCLListBox> NewBox(std::vector<int> widths)
    {
        auto box = std::make_unique<TUCLListBox>();
        box->BeginLoading();
        for (int k = 0; k < int(widths.size()); ++k)
            box->Header()->AddSection(QStringLiteral("Spalte %1").arg(k), widths[k]);
        box->IniUse = TUCLIniUse::ioUseLink;
        box->SetIniLink(&Ini);
        box->Section = "NewGrid";
        return box;
    }
    QTemporaryDir Dir;
    std::string File;
    TUCLIniCtrl Ini;
};

}   // namespace

TEST_F(HeaderListBoxIni, StoredWidthsGrowTheSections)
{
    TIniFile(File).WriteString("NewGrid", "ListBoxData", "50,60,70");
    auto box = NewBox({120});
    TUCLIniCtrl* reported = nullptr;
    box->OnIniReadData = [&reported](TPersistent*, TUCLIniCtrl* ini, const AnsiString& section) {
        reported = ini;
        EXPECT_EQ(section, "NewGrid");
    };
    box->Loaded();
    EXPECT_EQ(reported, &Ini);
    TUCLHeaderControl* header = box->GetHeaderSections();
    ASSERT_EQ(header->SectionCount(), 3);
    EXPECT_EQ(header->SectionText(0), "Spalte 0");
    EXPECT_EQ(header->SectionText(1), "S. 2");
    EXPECT_EQ(header->SectionText(2), "S. 3");
    EXPECT_EQ(header->SectionWidth(0), 50);
    EXPECT_EQ(header->SectionWidth(1), 60);
    EXPECT_EQ(header->SectionWidth(2), 70);
}

TEST_F(HeaderListBoxIni, DestroyingWritesTheWidthsAndNoSectionsRemoveTheKey)
{
    {
        auto box = NewBox({90, 230, 70, 200});
        box->Loaded();
    }
    EXPECT_EQ(TIniFile(File).ReadString("NewGrid", "ListBoxData", ""), "90,230,70,200");
    {
        auto box = NewBox({});
        box->Loaded();
        box->Header()->ClearSections();
    }
    EXPECT_EQ(TIniFile(File).ReadString("NewGrid", "ListBoxData", "gone"), "gone");
}

TEST_F(HeaderListBoxIni, DamagedWidthsChangeNothing)
{
    for (const char* stored : {"50,x,70", "50,,70", "9999999999"}) {
        TIniFile(File).WriteString("NewGrid", "ListBoxData", stored);
        auto box = NewBox({40, 41});
        EXPECT_THROW(box->ApplyColumnWidths(stored), EConvertError) << stored;
        box->Loaded();   // passes the damaged value over
        EXPECT_EQ(box->GetColumnWidths(), "40,41") << stored;
    }
    // Out-of-range widths and counts are clamped.
    auto box = NewBox({40});
    AnsiString many = "-5";
    for (int k = 0; k < 400; ++k)
        many += ",1";
    box->ApplyColumnWidths(many);
    EXPECT_EQ(box->Header()->SectionWidth(0), 0);
    EXPECT_EQ(box->Header()->SectionCount(), 256);
}

TEST_F(HeaderListBoxIni, GlobalSettingsComponentAndNoStorage)
{
    TUCLIniCtrl& global = LibraryApplication().IniControl();
    global.SetTarget(TUCLIniTarget::itIniFile);
    global.IniPrefix = ppFixed;
    global.SetIniFile(File);
    TIniFile(File).WriteString("Common", "ListBoxData", "33");
    {
        TUCLListBox box;
        box.IniUse = TUCLIniUse::ioUseGlobal;
        box.Loaded();
        EXPECT_EQ(box.GetColumnWidths(), "33");
        box.Header()->SetSectionWidth(0, 44);
    }
    EXPECT_EQ(TIniFile(File).ReadString("Common", "ListBoxData", ""), "44");
    {
        TUCLListBox box;   // ioNone: events only, nothing read
        bool raised = false;
        box.OnIniReadData = [&raised](TPersistent*, TUCLIniCtrl* ini, const AnsiString&) { raised = !ini; };
        box.Loaded();
        EXPECT_TRUE(raised);
        box.OnIniReadData = nullptr;
    }
    // A link that goes away is forgotten.
    auto box = NewBox({10});
    {
        TUCLIniCtrl gone;
        box->SetIniLink(&gone);
    }
    EXPECT_EQ(box->IniLink(), nullptr);
}

TEST(HeaderListBox, PartsFollowTheClientAreaWhenTheFrameChanges)
{
    Grid grid({50});
    const int before = grid.box.ClientWidth();
    TUCLScrollBoxBevel bevel;
    bevel.SetMode(TUCLBevelMode::bmCustom);
    bevel.SetStyleOuter(TUCLBevelStyle::bvRaised);
    bevel.SetWidthOuter(4);
    grid.box.SetBevel(bevel);
    EXPECT_EQ(grid.box.ClientWidth(), before - 8);
    EXPECT_EQ(grid.box.Header()->width(), grid.box.ClientWidth());
    EXPECT_EQ(grid.box.List()->width(), grid.box.ClientWidth());
    EXPECT_EQ(grid.box.List()->y() + grid.box.List()->height(), grid.box.ClientHeight());
}

TEST(HeaderListBox, FocusAndTransparencyGoToTheInnerList)
{
    QWidget window;
    auto* box = new TUCLListBox(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(box->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(box->GetBooleanOption(8));
    box->SetFocus();
    EXPECT_TRUE(box->List()->hasFocus());
    EXPECT_TRUE(box->Focused());
    box->SetTransparent(true);
    EXPECT_TRUE(box->List()->Transparent());
    box->SetTransparent(false);
    EXPECT_FALSE(box->List()->Transparent());
    for (int index : {1, 3, 4, 6, 7, 9, 12, 13, 15}) {
        const bool before = box->GetBooleanOption(index);
        box->SetBooleanOption(index, !before);
        EXPECT_EQ(box->GetBooleanOption(index), !before) << index;
    }
}

TEST(HeaderListBox, TransparentListShowsTheBackgroundUnderItsRows)
{
    QWidget window;
    window.resize(300, 200);
    auto* parent = new TGreenParent(&window, QSize(300, 200));
    auto* box = new TUCLListBox(parent);
    box->setGeometry(10, 10, 200, 120);
    box->SetColorOption(0, 0xFFFFFF);
    box->GetItems()->AddItem(QStringLiteral("a"));
    box->GetItems()->AddItem(QStringLiteral("b"));
    window.show();
    const QPoint row = box->List()->mapTo(&window, QPoint(150, 8));
    const QPoint below = box->List()->mapTo(&window, QPoint(150, 80));
    QImage image = Render(window);
    EXPECT_EQ(PixelRgb(image, row.x(), row.y()), 0xFFFFFFu);
    box->SetTransparent(true);
    image = Render(window);
    EXPECT_EQ(PixelRgb(image, row.x(), row.y()), 0x00A000u);
    EXPECT_EQ(PixelRgb(image, below.x(), below.y()), 0x00A000u);
}
