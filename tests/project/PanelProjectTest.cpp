// Panels in project files, through the project reader and writer: a panel
// of decorations on two pages with a macro panel saves, reopens and saves
// again byte for byte, and a file written before the panel classes existed
// (its design block laid out by the tables) reads and writes the same.
#include "support/StreamBytes.h"
#include "support/TestComponents.h"

#include "engine/Globals.h"
#include "engine/Makro.h"
#include "engine/Platine.h"
#include "panel/framework/Design.h"
#include "panel/framework/FP_Decorations.h"
#include "panel/framework/Frontplatte.h"
#include "panel/framework/PanelClasses.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "project/PanelLinks.h"
#include "project/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int PanelColor = 14215660;

// A project as the program holds one: a board and a panel window, paired
// by the links.
struct TProjectRig {
    // A new project's panel, or a bare one for a file to fill.
    explicit TProjectRig(bool newProject = true)
    {
        if (newProject)
            panel.ResetToNewProject();
        links.Panel = &panel;
        links.Design = panel.RootDesign();
        links.Attach(*board);
    }
    ~TProjectRig()
    {
        // Its components' elements leave the panel before it goes.
        board.reset();
    }
    TFrontplatte panel;
    TPanelLinks links;
    std::unique_ptr<TPlatine> board = std::make_unique<TPlatine>();
    TDesign& Root() { return dynamic_cast<TDesign&>(*panel.RootDesign()); }
    void Save(const AnsiString& fileName)
    {
        panel.RootDesign()->RenumberZOrder();
        WriteProjectFile(fileName, *board, *panel.RootDesign(), panel);
    }
};

// A project read from a file into a fresh board and panel.
struct TReadProject : TProjectRig {
    explicit TReadProject(const AnsiString& fileName) : TProjectRig(false)
    {
        ReadProjectFile(fileName, *board, &panel, links);
    }
};

class PanelProjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        SetProgramFolder(Program());
        ResetGlobals();
        RegisterTestClasses();
        RegisterPanelClasses();
    }
    void TearDown() override
    {
        SetProgramFolder("");
        ResetGlobals();
    }
    AnsiString Program() const { return folder_.path().toStdString() + "/"; }
    QString Path(const QString& name) const { return folder_.filePath(name); }
    void WriteFile(const QString& name, const QByteArray& content)
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray Bytes(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    template <class T>
    static T* Add(TDesign& design, const char* className, Integer left, Integer top, Integer width, Integer height)
    {
        auto* element = dynamic_cast<T*>(design.AddElement(className));
        element->SetBounds(left, top, width, height);
        return element;
    }

private:
    QTemporaryDir folder_;
};

} // namespace

TEST_F(PanelProjectTest, APanelWithPagesAndAMacroPanelSavesReopensAndSavesTheSame)
{
    {
        TProjectRig project;
        TDesign& root = project.Root();
        root.BorderWidth = 2;
        root.HtmlHead = {"<h1>Anlage</h1>"};
        auto* label = Add<TBeschriftung>(root, "TBeschriftung", 20, 30, 120, 20);
        label->Text = "Druck";
        label->Alignment = TBeschriftung::taCenter;
        auto* scale = Add<TSkale>(root, "TSkale", 40, 60, 200, 30);
        scale->SetFrontplattenNR(1);
        scale->SetSKTeile(10);
        auto* picture = Add<TLogo>(root, "TLogo", 300, 20, 44, 44);
        // A picture beside the project (a name is stored as it is found).
        QImage logo(40, 40, QImage::Format_RGB32);
        logo.fill(Qt::blue);
        ASSERT_TRUE(logo.save(Path("logo.bmp"), "BMP"));
        picture->FileName = Program() + "logo.bmp";
        picture->LoadPicture();
        picture->WebSortOrder = 3;

        // A macro with a gate inside and a panel holding a frame and a shape.
        auto* macro = CreateBauteil<TMakro>();
        macro->X = 100;
        macro->Y = 100;
        // No pin components inside: no pins, as reading it back will find.
        macro->SetInputCount(0);
        macro->SetOutputCount(0);
        TPlatine* inner = project.board->CreateInnerBoard(macro);
        project.links.Attach(*inner);
        auto* nested = dynamic_cast<TDesign*>(root.AddElement("TDesign"));
        nested->OwnerDesign = &root;
        nested->SetElementName("Makro: M1");
        macro->SubDesign = nested;
        macro->ParentDesign = &root;
        project.board->InsertObject(macro);
        inner->InsertObject(CreateBauteil<TBTTestGate>());
        Add<TRahmen>(*nested, "TRahmen", 6, 6, 100, 50)->Bevel.Shape = bsFrame;
        Add<TFlaeche>(*nested, "TFlaeche", 20, 20, 30, 30)->theShape.Shape = stCircle;
        nested->SetBounds(150, 150, 120, 70);
        root.RenumberZOrder();
        // The window gives every page in use its tab, as it does after reading.
        project.panel.CheckeFrontplattenNummern();
        project.Save(Program() + "Panel.prj");
    }
    TModalHook hook(std::vector<TModalAnswer>{});
    TReadProject project(Program() + "Panel.prj");
    TDesign& root = project.Root();
    ASSERT_EQ(root.Elements.size(), 4u);
    auto* label = dynamic_cast<TBeschriftung*>(root.Elements[0]);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Text, "Druck");
    EXPECT_EQ(label->geometry(), QRect(20, 30, 120, 20));
    auto* scale = dynamic_cast<TSkale*>(root.Elements[1]);
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->FrontplattenNR(), 1);
    // Only the page shown holds its elements (the window selects the last page
    // it added for the scale, and keeps that page in the file).
    EXPECT_EQ(project.panel.AktiveFrontplatte(), 1);
    EXPECT_EQ(scale->parentWidget() == &root, project.panel.AktiveFrontplatte() == 1);
    EXPECT_NE(label->parentWidget(), &root);
    auto* picture = dynamic_cast<TLogo*>(root.Elements[2]);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->ShowsPlaceholder());
    auto* nested = dynamic_cast<TDesign*>(root.Elements[3]);
    ASSERT_NE(nested, nullptr);
    ASSERT_EQ(nested->Elements.size(), 2u);
    EXPECT_NE(dynamic_cast<TFlaeche*>(nested->Elements[1]), nullptr);
    EXPECT_TRUE(nested->Shown);
    EXPECT_EQ(root.BorderWidth, 2);
    EXPECT_EQ(root.HtmlHead, std::vector<AnsiString>{"<h1>Anlage</h1>"});

    project.Save(Program() + "Kopie.prj");
    EXPECT_FALSE(Bytes("Kopie.prj").isEmpty());
    EXPECT_EQ(Bytes("Kopie.prj"), Bytes("Panel.prj"));
    EXPECT_TRUE(hook.Requests().empty());
}

TEST_F(PanelProjectTest, AFileWhosePanelBlocksWereKeptWholeReadsAndWritesTheSame)
{
    // The window block as the program writes it for a new project.
    TStreamBytes head;
    head.Raw({2, 0, 0, 46, 0}).Int(0);
    head.Int(0).Int(0).Int(0).Int(0).Int(120).Half().Str("").Bool(true).Bool(true).Bool(false).Int(-1).Int(0).Int(0);
    {
        TProjectRig().Save(Program() + "Leer.prj");
    }
    const QByteArray empty = Bytes("Leer.prj");
    // Whether the root panel publishes is the window's matter: taken as written.
    TBytes start;
    bool publishes = false;
    for (bool publish : {false, true}) {
        TStreamBytes emptyDesign;
        emptyDesign.Int(0).Int(0).Int(1).Int(0).Int(0).Int(PanelColor).Int(PanelColor).Bool(true).Bool(true);
        emptyDesign.Int(0).Bool(publish).Bool(false).Int(0).Int(0);
        start = head.Bytes;
        start.insert(start.end(), emptyDesign.Bytes.begin(), emptyDesign.Bytes.end());
        publishes = publish;
        if (empty.size() >= qsizetype(start.size()) &&
            TBytes(empty.begin(), empty.begin() + qsizetype(start.size())) == start)
            break;
    }
    ASSERT_GE(empty.size(), qsizetype(start.size()));
    ASSERT_EQ(TBytes(empty.begin(), empty.begin() + qsizetype(start.size())), start);
    const TBytes windowBlock(empty.begin() + qsizetype(start.size()), empty.end());

    // A design block with a label and a frame, a lowered border and web lines.
    TStreamBytes design;
    design.Int(2).Str("TBeschriftung").Int(20).Int(30);
    design.Int(1).Bool(false).Int(-10000).Raw({80, 0, 20, 0}).Str("").Bool(true);
    design.Int(0).Int(1).Int(0).Int(0).Int(PanelColor).Int(PanelColor).Bool(true).Bool(true);
    design.Int(0).Bool(false).Bool(false).Int(0).Int(0);
    design.Raw({5, 'A', 'r', 'i', 'a', 'l'});
    design.Bytes.resize(design.Bytes.size() + 26, 0);
    design.Raw({0xF4, 0xFF, 1, 0, 0, 0xFF, 0, 1, 0, 0, 0});
    design.Raw({5, 'H', 'a', 'l', 'l', 'o'});
    design.Bytes.resize(design.Bytes.size() + 55, 0);
    design.Raw({80, 0, 20, 0});
    design.Str("TRahmen").Int(8).Int(70);
    design.Int(2).Bool(false).Int(-10000).Raw({200, 0, 60, 0}).Str("").Bool(false);
    design.Int(1).Int(2).Int(0).Int(2).Int(PanelColor).Int(255).Bool(false).Bool(true);
    design.Int(0).Bool(false).Bool(true).Int(0).Int(0);
    design.Raw({200, 0, 60, 0, 1, 1});
    design.Int(3).Int(1).Int(2).Int(1).Int(PanelColor).Int(PanelColor).Bool(true).Bool(true);
    design.Int(0).Bool(publishes).Bool(false).Int(2).Str("<p>").Str("</p>").Int(0);
    TBytes file = head.Bytes;
    file.insert(file.end(), design.Bytes.begin(), design.Bytes.end());
    file.insert(file.end(), windowBlock.begin(), windowBlock.end());
    WriteFile("Alt.prj", QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size())));

    TModalHook hook(std::vector<TModalAnswer>{});
    TReadProject project(Program() + "Alt.prj");
    TDesign& root = project.Root();
    ASSERT_EQ(root.Elements.size(), 2u);
    auto* label = dynamic_cast<TBeschriftung*>(root.Elements[0]);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Text, "Hallo");
    EXPECT_TRUE(label->RuntimeAdjustable);
    EXPECT_EQ(label->Font.Color, 0xFF0000u);
    EXPECT_EQ(label->Alignment, TBeschriftung::taRightJustify);
    EXPECT_EQ(root.BorderWidth, 3);
    EXPECT_EQ(root.BevelOuter, bvLowered);
    EXPECT_EQ(root.HtmlHead, (std::vector<AnsiString>{"<p>", "</p>"}));
    project.Save(Program() + "Neu.prj");
    const QByteArray saved = Bytes("Neu.prj");
    EXPECT_EQ(TBytes(saved.begin(), saved.end()), file);
    EXPECT_TRUE(hook.Requests().empty());
}
