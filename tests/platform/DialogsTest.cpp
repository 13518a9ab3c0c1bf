#include "platform/Dialogs.h"

#include "platform/AnsiText.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Acts on the real dialog of type W once its event loop runs, the way a
// person would; a dialog that cannot be found is rejected so the test ends.
template <class W, class F>
void WhenShown(F act, int triesLeft = 100)
{
    QTimer::singleShot(0, [act, triesLeft] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<W*>(w); dialog && dialog->isVisible()) {
                act(dialog);
                return;
            }
        }
        if (triesLeft > 0)
            return WhenShown<W>(act, triesLeft - 1);
        ADD_FAILURE() << "no dialog shown";
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
                dialog->reject();
    });
}

}   // namespace

TEST(Dialogs, HookAnswersMessageBoxesAndRecordsThem)
{
    QGuiApplication::setApplicationDisplayName("Zentrika 4.0");
    TModalHook hook({TModalAnswer::Button(IDNO), TModalAnswer::Button(IDOK)});
    EXPECT_EQ(MessageBox("\xC4nderungen speichern?", "Zentrika", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    ShowMessage("Fertig");
    EXPECT_EQ(MessageBox("Noch eine?", "Zentrika", MB_OKCANCEL), IDCANCEL);   // answers used up

    const auto& asked = hook.Requests();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].Kind, TModalKind::MessageBox);
    EXPECT_EQ(asked[0].Text, "\xC4nderungen speichern?");
    EXPECT_EQ(asked[0].Caption, "Zentrika");
    EXPECT_EQ(asked[0].Flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(asked[1].Text, "Fertig");
    EXPECT_EQ(asked[1].Caption, "Zentrika 4.0");
    EXPECT_EQ(asked[1].Flags, MB_OK);
}

TEST(Dialogs, HookAnswersFileDialogs)
{
    TModalHook hook([](const TModalRequest& r) {
        return r.File.Kind == TFileDialogKind::Save ? TModalAnswer::File("/p/Anlage", 2) : TModalAnswer::Cancel();
    });
    TFileDialog save;
    save.Kind = TFileDialogKind::Save;
    save.Title = "Projekt speichern";
    save.Filter = "Projektdatei|*.prj|Makro|*.mak";
    save.DefaultExt = "prj";
    save.InitialDir = "/p";
    EXPECT_EQ(ExecuteFileDialog(save), "/p/Anlage.prj");
    EXPECT_EQ(save.FileName, "/p/Anlage.prj");
    EXPECT_EQ(save.FilterIndex, 2);

    TFileDialog open;
    open.FileName = "old.prj";
    EXPECT_EQ(ExecuteFileDialog(open), "");
    EXPECT_EQ(open.FileName, "old.prj");
    EXPECT_EQ(open.FilterIndex, 1);

    ASSERT_EQ(hook.Requests().size(), 2u);
    const TModalRequest& asked = hook.Requests()[0];
    EXPECT_EQ(asked.Kind, TModalKind::FileDialog);
    EXPECT_EQ(asked.Caption, "Projekt speichern");
    EXPECT_EQ(asked.File.Filter, "Projektdatei|*.prj|Makro|*.mak");
    EXPECT_EQ(asked.File.InitialDir, "/p");
}

TEST(Dialogs, HookAnswersColourAndFolderDialogs)
{
    TModalAnswer withCustom = TModalAnswer::Colour(clRed);
    TCustomColors custom{};
    custom[0] = clLime;
    withCustom.CustomColors = custom;
    TModalHook hook({withCustom, TModalAnswer::Cancel(), TModalAnswer::File("/data/out"), TModalAnswer::Cancel()});

    TColor color = clBlue;
    TCustomColors mine{};
    mine.fill(clWhite);
    EXPECT_TRUE(ExecuteColorDialog(color, mine));
    EXPECT_EQ(color, clRed);
    EXPECT_EQ(mine[0], clLime);
    mine[1] = clNavy;
    EXPECT_FALSE(ExecuteColorDialog(color, mine));   // cancel changes nothing
    EXPECT_EQ(color, clRed);
    EXPECT_EQ(mine[1], clNavy);
    EXPECT_EQ(hook.Requests()[1].CustomColors[1], clNavy);

    EXPECT_EQ(ExecuteFolderDialog("Ordner", "/data"), "/data/out");
    EXPECT_EQ(ExecuteFolderDialog("Ordner", "/data"), "");
    EXPECT_EQ(hook.Requests()[2].Kind, TModalKind::FolderDialog);
    EXPECT_EQ(hook.Requests()[2].InitialDir, "/data");
}

TEST(Dialogs, HooksNest)
{
    TModalHook outer({TModalAnswer::Button(IDYES), TModalAnswer::Button(IDYES)});
    {
        TModalHook inner({TModalAnswer::Button(IDNO)});
        EXPECT_EQ(MessageBox("a", "c", MB_YESNO), IDNO);
    }
    EXPECT_EQ(MessageBox("b", "c", MB_YESNO), IDYES);
    EXPECT_EQ(outer.Requests().size(), 1u);
}

TEST(Dialogs, RealMessageBoxMapsTheWindowsFlags)
{
    using SB = QMessageBox::StandardButton;
    struct Case {
        Cardinal flags;
        QMessageBox::StandardButtons buttons;
        SB defaultButton;
        QMessageBox::Icon icon;
        SB click;
        Integer expected;
    };
    const Case cases[] = {
        {MB_OK, SB::Ok, SB::Ok, QMessageBox::NoIcon, SB::Ok, IDOK},
        {MB_OKCANCEL | MB_ICONERROR, SB::Ok | SB::Cancel, SB::Ok, QMessageBox::Critical, SB::Cancel, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_ICONWARNING | MB_DEFBUTTON3, SB::Abort | SB::Retry | SB::Ignore, SB::Ignore,
         QMessageBox::Warning, SB::Retry, IDRETRY},
        {MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, SB::Yes | SB::No | SB::Cancel, SB::No,
         QMessageBox::Question, SB::Yes, IDYES},
        {MB_YESNO | MB_ICONINFORMATION, SB::Yes | SB::No, SB::Yes, QMessageBox::Information, SB::No, IDNO},
        {MB_RETRYCANCEL, SB::Retry | SB::Cancel, SB::Retry, QMessageBox::NoIcon, SB::Retry, IDRETRY},
        {MB_OKCANCEL | MB_DEFBUTTON3, SB::Ok | SB::Cancel, SB::Ok, QMessageBox::NoIcon, SB::Ok, IDOK},
    };
    for (const Case& c : cases) {
        WhenShown<QMessageBox>([c](QMessageBox* box) {
            EXPECT_EQ(box->standardButtons(), c.buttons) << c.flags;
            EXPECT_EQ(box->standardButton(box->defaultButton()), c.defaultButton) << c.flags;
            EXPECT_EQ(box->icon(), c.icon) << c.flags;
            EXPECT_EQ(box->windowTitle(), QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e"));
            EXPECT_EQ(box->text(), "<b>1 < 2</b>");
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            box->button(c.click)->click();
        });
        EXPECT_EQ(MessageBox("<b>1 < 2</b>", "Gr\xFC\xDF" "e", c.flags), c.expected) << c.flags;
    }
}

// A desktop draws the title bold beside the window's icon and its buttons:
// a short message must not cut its box's title, in any language. The second
// text shows under the message as it is given.
TEST(Dialogs, RealMessageBoxIsWideEnoughForItsTitleAndShowsItsDetails)
{
    const struct {
        const char* Caption;
        const char* Text;
    } cases[] = {
        {"Schaltung \xF6" "ffnen", "Stream-Lesefehler"},
        {"Open circuit", "Stream read error"},
        {"Effacer panneau de contr\xF4le", "Erreur de lecture du flux"},
        {"Die Einstellungsdatei stimmt nicht mit dem Projekt \xFC" "berein", "?"},
    };
    constexpr int IconAndThreeButtons = 4 * 24;
    for (const auto& c : cases) {
        WhenShown<QMessageBox>([c](QMessageBox* box) {
            QFont bold = box->font();
            bold.setBold(true);
            const QString title = AnsiToQString(c.Caption);
            EXPECT_EQ(box->windowTitle(), title);
            EXPECT_GE(box->width(), QFontMetrics(bold).horizontalAdvance(title) + IconAndThreeButtons) << c.Caption;
            EXPECT_EQ(box->informativeText(), QStringLiteral("/tmp/<Anlage>.prj"));
            const auto* details = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
            ASSERT_NE(details, nullptr);
            EXPECT_TRUE(details->isVisible());
            EXPECT_EQ(details->textFormat(), Qt::PlainText);
            box->button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(MessageBox(c.Text, c.Caption, MB_OK | MB_ICONERROR, "/tmp/<Anlage>.prj"), IDOK);
    }
}

TEST(Dialogs, RealFileDialogReturnsTheChosenFileAndFilter)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const AnsiString folder = QStringToAnsi(dir.path());
    TFileDialog d;
    d.Kind = TFileDialogKind::Save;
    d.Filter = "Textdateien (*.txt)|*.TXT|Alle|*.*";
    d.FilterIndex = 2;
    d.DefaultExt = "TXT";
    d.InitialDir = folder;
    WhenShown<QFileDialog>([](QFileDialog* dialog) {
        EXPECT_EQ(dialog->nameFilters(), (QStringList{"Textdateien (*.TXT)", "Alle (*.*)"}));
        EXPECT_EQ(dialog->selectedNameFilter(), "Alle (*.*)");
        dialog->selectNameFilter("Textdateien (*.TXT)");
        dialog->selectFile("messung");
        static_cast<QDialog*>(dialog)->accept();   // QFileDialog::accept checks the name
    });
    EXPECT_EQ(ExecuteFileDialog(d), folder + "/messung.TXT");
    EXPECT_EQ(d.FilterIndex, 1);

    WhenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_EQ(ExecuteFileDialog(d), "");
    EXPECT_EQ(d.FileName, folder + "/messung.TXT");
}

TEST(Dialogs, RealColourAndFolderDialogs)
{
    TColor color = clRed;
    TCustomColors custom;
    custom.fill(clWhite);
    custom[2] = clTeal;
    WhenShown<QColorDialog>([](QColorDialog* dialog) {
        EXPECT_EQ(dialog->currentColor(), QColor(255, 0, 0));
        EXPECT_EQ(QColorDialog::customColor(2), QColor(0, 128, 128));
        QColorDialog::setCustomColor(5, QColor(1, 2, 3));
        dialog->setCurrentColor(QColor(0, 0, 255));
        dialog->accept();
    });
    EXPECT_TRUE(ExecuteColorDialog(color, custom));
    EXPECT_EQ(color, clBlue);
    EXPECT_EQ(custom[2], clTeal);
    EXPECT_EQ(custom[5], 0x030201);

    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Ausgabe"));
    WhenShown<QFileDialog>([](QFileDialog* dialog) {
        dialog->selectFile("Ausgabe");
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(ExecuteFolderDialog("Ordner w\xE4hlen", QStringToAnsi(dir.path())), QStringToAnsi(dir.path()) + "/Ausgabe");
}
