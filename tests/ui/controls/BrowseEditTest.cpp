// The browse, file-open and file-save edits: the dialog each button opens,
// what a choice, a cancel or typing leaves in the edit, and the shortened
// display in front of the full name.
#include "ui/controls/UCLBrowseEdit.h"
#include "ui/controls/UCLEdit.h"
#include "ui/controls/UCLSBtn.h"

#include "MouseHelpers.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"

#include <QTest>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const QString LongPath = QStringLiteral("/home/anna/projekte/zentrika/messungen/lauflicht.prj");

class BrowseEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        LibraryApplication().SetEditMode(emInsert);
        Window.resize(500, 120);
        Other = new TUCLEdit(&Window);
        Other->setGeometry(10, 80, 120, 21);
        Window.show();
        QApplication::setActiveWindow(&Window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
        Leave();
    }
    template <class T>
    T* Make(int Width = 400)
    {
        T* edit = new T(&Window);
        edit->setGeometry(10, 10, Width, 21);
        edit->show();
        edit->OnChange = [this](TPersistent*) { ++Changes; };
        edit->OnDlgChange = [this](TPersistent*) { ++DlgChanges; };
        return edit;
    }
    void Click(TUCLCustomBrowseEdit* E)
    {
        Press(&E->BrowseButton().Button(), {3, 3});
        Release(&E->BrowseButton().Button(), {3, 3});
    }
    void Leave()
    {
        Other->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(Other->hasFocus());
    }

    QWidget Window;
    TUCLEdit* Other = nullptr;
    int Changes = 0;
    int DlgChanges = 0;
};

TEST_F(BrowseEdit, OpenEditChoiceCancelAndTyping)
{
    enum Action { Choose, Cancel, Type, Visit };
    struct Case {
        const char* name;
        QString preset;
        bool filenameOnly;
        Action action;
        QString arg;   // the chosen or typed name
        QString shown;
        QString filename;
        QString full;
        int dlgChanges;
        bool changed;
    };
    const QString alt = QStringLiteral("/home/anna/alt.prj");
    const Case cases[] = {
        {"chosen path", "", false, Choose, LongPath, LongPath, LongPath, LongPath, 1, true},
        {"cancel", alt, false, Cancel, "", alt, alt, alt, 0, false},
        {"chosen with FilenameOnly", "", true, Choose, LongPath, "lauflicht.prj", "lauflicht.prj", LongPath, 1, true},
        {"cancel with FilenameOnly", alt, true, Cancel, "", "alt.prj", "alt.prj", alt, 0, false},
        {"focus in and out with FilenameOnly", alt, true, Visit, "", "alt.prj", "alt.prj", alt, 0, false},
        {"typed name", alt, false, Type, "neu.prj", "neu.prj", "neu.prj", "neu.prj", 0, true},
        {"typed path with FilenameOnly", alt, true, Type, "/tmp/x/y.prj", "y.prj", "y.prj", "/tmp/x/y.prj", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Changes = DlgChanges = 0;
        auto* edit = Make<TUCLFileOpenEdit>();
        edit->SetFilenameOnly(c.filenameOnly);
        edit->SetFilename(c.preset);
        Changes = 0;
        std::optional<TModalHook> hook;
        switch (c.action) {
        case Choose:
        case Cancel:
            hook.emplace(std::vector{c.action == Choose ? TModalAnswer::File(QStringToAnsi(c.arg))
                                                        : TModalAnswer::Cancel()});
            Click(edit);
            EXPECT_TRUE(edit->hasFocus()) << "the button focuses the edit";
            ASSERT_EQ(hook->Requests().size(), 1u);
            EXPECT_EQ(hook->Requests()[0].File.Kind, TFileDialogKind::Open);
            EXPECT_EQ(hook->Requests()[0].File.FileName, "") << "the dialog's name is not preset";
            break;
        case Type:
            edit->setFocus(Qt::TabFocusReason);
            edit->SelectAll();
            QTest::keyClicks(edit, c.arg);
            break;
        case Visit: edit->setFocus(Qt::TabFocusReason); break;
        }
        Leave();
        EXPECT_EQ(edit->GetText(), c.shown);
        EXPECT_EQ(edit->Filename(), c.filename);
        EXPECT_EQ(edit->FullText(), c.full);
        EXPECT_EQ(DlgChanges, c.dlgChanges);
        EXPECT_EQ(Changes > 0, c.changed);
        delete edit;
    }
}

TEST_F(BrowseEdit, FileDialogTakesTheEditsSettingsAndEventsComeInOrder)
{
    struct Case {
        const char* name;
        TUCLCustomFileEdit* edit;
        TFileDialogKind kind;
    };
    const Case cases[] = {
        {"open", Make<TUCLFileOpenEdit>(), TFileDialogKind::Open},
        {"save", Make<TUCLFileSaveEdit>(), TFileDialogKind::Save},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TUCLCustomFileEdit* edit = c.edit;
        edit->Title = "Sample";
        edit->InitialDir = "/tmp";
        edit->Filter = "Sample (*.smp)|*.smp";
        edit->DefaultExt = "smp";
        edit->Options |= ofOverwritePrompt;
        std::vector<std::string> events;
        auto record = [&](const char* what) {
            return [&events, edit, what](TPersistent* Sender) {
                events.push_back(std::string(what) + ":" + (Sender == edit ? "edit" : Sender->ClassName()));
            };
        };
        edit->OnBeforeBrowse = [&](TPersistent* Sender) {
            record("before")(Sender);
            // The handler may set the dialog up further.
            static_cast<TUCLFileDialog*>(Sender)->Dialog.FileName = "vorschlag.smp";
        };
        edit->OnDlgChange = record("dlgchange");
        edit->OnBrowse = record("browse");

        TModalHook hook({TModalAnswer::File("/tmp/probe")});
        Click(edit);
        ASSERT_EQ(hook.Requests().size(), 1u);
        const TFileDialog& asked = hook.Requests()[0].File;
        EXPECT_EQ(asked.Kind, c.kind);
        EXPECT_EQ(asked.Title, "Sample");
        EXPECT_EQ(asked.InitialDir, "/tmp");
        EXPECT_EQ(asked.Filter, "Sample (*.smp)|*.smp");
        EXPECT_EQ(asked.DefaultExt, "smp");
        EXPECT_TRUE(asked.OverwritePrompt);
        EXPECT_EQ(asked.FileName, "vorschlag.smp");
        EXPECT_EQ(edit->GetText(), "/tmp/probe.smp") << "the default extension is added";
        EXPECT_EQ(events, (std::vector<std::string>{"before:TUCLFileDialog", "dlgchange:edit",
                                                    "browse:TUCLFileDialog", "browse:edit"}));
        Leave();
    }
}

TEST_F(BrowseEdit, MinimizeNameShortensWhileUnfocusedAndKeepsTheFullPath)
{
    auto* edit = Make<TUCLFileOpenEdit>(160);
    edit->SetMinimizeName(true);
    edit->SetFilename(LongPath);
    auto checkShortened = [&] {
        const QString shown = edit->GetText();
        EXPECT_NE(shown, LongPath);
        EXPECT_TRUE(shown.contains(QStringLiteral("...")) && shown.endsWith(QStringLiteral("/lauflicht.prj")))
            << shown.toStdString();
        EXPECT_LE(edit->TextWidth(shown), edit->TextRect().Width());
        EXPECT_EQ(edit->Filename(), LongPath);
        EXPECT_EQ(edit->FullText(), LongPath);
    };
    checkShortened();

    Changes = 0;
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->GetText(), LongPath) << "shown in full while focused";
    Leave();
    checkShortened();

    TModalHook hook({TModalAnswer::Cancel()});
    Click(edit);
    Leave();
    checkShortened();
    EXPECT_EQ(Changes, 0) << "showing and shortening are no changes of the name";
    EXPECT_EQ(DlgChanges, 0);

    edit->resize(480, 21);
    EXPECT_EQ(edit->GetText(), LongPath) << "a wider edit shows the whole path";
    edit->SetMinimizeName(false);
    edit->resize(160, 21);
    EXPECT_EQ(edit->GetText(), LongPath);
}

TEST_F(BrowseEdit, MaxLengthLimitsTypingButNotAChosenPath)
{
    auto* edit = Make<TUCLFileSaveEdit>();
    edit->SetIntegerOption(0, 10);
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, "/tmp/zu-lang.smp");
    EXPECT_EQ(edit->GetText(), "/tmp/zu-la");

    TModalHook hook({TModalAnswer::File(QStringToAnsi(LongPath))});
    Click(edit);
    Leave();
    EXPECT_EQ(edit->GetText(), LongPath) << "a chosen file keeps its whole name";
    EXPECT_EQ(edit->Filename(), LongPath);
}

TEST_F(BrowseEdit, FolderEditStartsFromItsFolderAndTakesTheChoice)
{
    struct Case {
        const char* name;
        bool startWithLast;
        QString preset;
        std::optional<AnsiString> choice;
        AnsiString initialDir;
        QString path;
    };
    const AnsiString desktop = SystemFolderPath(TUCLSystemFolders::bfoDesktopExpanded);
    const Case cases[] = {
        {"last folder", true, "/tmp/makros", AnsiString("/tmp/neu"), "/tmp/makros", "/tmp/neu"},
        {"last folder, empty edit", true, "", AnsiString("/tmp/neu"), desktop, "/tmp/neu"},
        {"start folder", false, "/tmp/makros", AnsiString("/tmp/neu"), desktop, "/tmp/neu"},
        {"cancel", true, "/tmp/makros", std::nullopt, "/tmp/makros", "/tmp/makros"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Changes = DlgChanges = 0;
        auto* edit = Make<TUCLBrowseEdit>();
        edit->Options = doReturnFileSysDirs;
        edit->StartWithLast = c.startWithLast;
        edit->SetPath(c.preset);
        Changes = 0;
        TUCLBrowseDlg* seen = nullptr;
        edit->OnExecute = [&](TUCLBrowseEdit* Sender, TUCLBrowseDlg* Dlg) {
            EXPECT_EQ(Sender, edit);
            EXPECT_EQ(Dlg->Options, doReturnFileSysDirs);
            EXPECT_EQ(Dlg->StartFolder, TUCLSystemFolders::bfoDesktopExpanded);
            seen = Dlg;
        };
        TModalHook hook({c.choice ? TModalAnswer::File(*c.choice) : TModalAnswer::Cancel()});
        Click(edit);
        EXPECT_NE(seen, nullptr);
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Kind, TModalKind::FolderDialog);
        EXPECT_EQ(hook.Requests()[0].InitialDir, c.initialDir);
        Leave();
        EXPECT_EQ(edit->Path(), c.path);
        EXPECT_EQ(DlgChanges, c.choice ? 1 : 0);
        EXPECT_EQ(Changes > 0, c.choice.has_value());
        delete edit;
    }
}

TEST_F(BrowseEdit, FolderEditMinimizeNameSwitchesTheDisplay)
{
    auto* edit = Make<TUCLBrowseEdit>(140);
    const QString folder = QStringLiteral("/home/anna/projekte/zentrika/makros/ttl");
    edit->SetPath(folder);
    edit->SetMinimizeName(true);
    EXPECT_NE(edit->GetText(), folder);
    EXPECT_TRUE(edit->GetText().endsWith(QStringLiteral("/ttl")));
    EXPECT_EQ(edit->Path(), folder);

    TModalHook hook({TModalAnswer::Cancel()});
    edit->StartWithLast = true;
    Click(edit);
    EXPECT_EQ(hook.Requests()[0].InitialDir, QStringToAnsi(folder)) << "the dialog opens on the full folder";
    Leave();

    edit->SetMinimizeName(false);
    EXPECT_EQ(edit->GetText(), folder);
    EXPECT_EQ(edit->Path(), folder);
}

}   // namespace
