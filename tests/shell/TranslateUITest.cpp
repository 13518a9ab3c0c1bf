// The main window started in each language shows every caption and hint of
// its translation table, and the designed German texts are the table's.
#include "ShellFixture.h"

#include "shell/TranslateUI.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QKeySequence>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>

namespace {

// The caption or hint a control shows now; nullopt for what is not on screen.
std::optional<QString> Shown(QObject* target, TUiProperty property)
{
    if (property == TUiProperty::Caption) {
        if (auto* menu = qobject_cast<QMenu*>(target))
            return menu->title();
        if (auto* action = qobject_cast<QAction*>(target))
            return action->text();
        if (auto* button = qobject_cast<QAbstractButton*>(target))
            return button->text();
    }
    if (property == TUiProperty::Hint) {
        if (auto* action = qobject_cast<QAction*>(target))
            return action->toolTip();
        if (auto* widget = qobject_cast<QWidget*>(target))
            return widget->toolTip();
    }
    if (property == TUiProperty::FirstTab)
        if (auto* tabs = qobject_cast<QTabBar*>(target))
            return tabs->tabText(0);
    if (property == TUiProperty::Items)
        if (auto* box = qobject_cast<QComboBox*>(target))
            return box->itemText(0) + '\n' + box->itemText(1);
    return std::nullopt;
}

} // namespace

class TranslateUITest : public TShellFixture {};

TEST_F(TranslateUITest, EveryControlOfTheTableSpeaksTheLanguageOfTheLanguageFile)
{
    for (Integer language : {0, 1, 2}) {
        SCOPED_TRACE(language);
        WriteFile("SPRACHE.INI", QByteArray("[Sprache]\r\nSprache=") + QByteArray::number(language) + "\r\n");
        TForm1& form = Create();
        int compared = 0;
        for (const TUiTranslation& row : MainWindowTranslations()) {
            QObject* target = form.findChild<QObject*>(row.Control);
            const std::optional<QString> shown = target ? Shown(target, row.Property) : std::nullopt;
            if (!shown)
                continue;   // a dialog's text, or a control of the library panel
            SCOPED_TRACE(row.Control);
            const char* expected = language == 1 ? row.English : language == 2 ? row.French : row.German;
            EXPECT_EQ(*shown, QString::fromUtf8(expected ? expected : row.German));
            ++compared;
        }
        // Menus, tool bar, buttons, context menu and the speed box are all there.
        EXPECT_GE(compared, 75);
    }
}

// An item that opens a dialog ends in an ellipsis of three points, in every language.
TEST_F(TranslateUITest, MenuItemsEndInAFullEllipsis)
{
    for (Integer language : {0, 1, 2}) {
        SCOPED_TRACE(language);
        WriteFile("SPRACHE.INI", QByteArray("[Sprache]\r\nSprache=") + QByteArray::number(language) + "\r\n");
        TForm1& form = Create();
        for (const QAction* action : form.findChildren<QAction*>()) {
            const QString text = action->text();
            const qsizetype points = text.size() - QString(text).remove(QRegularExpression("\\.+$")).size();
            EXPECT_TRUE(points == 0 || points == 1 || points == 3) << text.toStdString();
        }
    }
}

TEST_F(TranslateUITest, ConfigurationTextsComeFromTheTermTableInEveryLanguage)
{
    const struct {
        Integer Language;
        const char* HardwareHint;
        const char* PanelHint;
        const char* HardwareItem;
    } cases[] = {
        {0, "Konfiguration: Hardware...", "Konfiguration: Frontplatte...", "&Hardware..."},
        {1, "Configuration: Hardware...", "Configuration: Front panel...", "&Hardware..."},
        {2, "Configuration: Hardware...", "Configuration: Panneau de contrôle...", "&Hardware..."},
        // An unknown language: the term table answers "???", the menus stay German.
        {3, "???: ???...", "???: ???...", "&???..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        WriteFile("SPRACHE.INI", QByteArray("[Sprache]\r\nSprache=") + QByteArray::number(c.Language) + "\r\n");
        TForm1& form = Create();
        EXPECT_EQ(form.findChild<QAction*>("tb_ConfigHW")->toolTip(), QString::fromUtf8(c.HardwareHint));
        EXPECT_EQ(form.findChild<QAction*>("tb_Frontplatte")->toolTip(), QString::fromUtf8(c.PanelHint));
        EXPECT_EQ(form.findChild<QAction*>("Hardware2")->text(), QString::fromUtf8(c.HardwareItem));
        if (c.Language == 3) {
            EXPECT_EQ(form.findChild<QMenu*>("Bearbeiten1")->title(), QStringLiteral("&Bearbeiten"));
        }
    }
}

TEST_F(TranslateUITest, DialogTextsAndTheFirstTabByLanguage)
{
    EXPECT_EQ(MainWindowText("SaveDialog1", TUiProperty::Title, 2), QStringLiteral("Sauvegarder projet"));
    EXPECT_EQ(MainWindowText("OpenDialog1", TUiProperty::Filter, 1), QStringLiteral("Project|*.prj|Macro|*.mak"));
    EXPECT_EQ(MainWindowText("TabSet", TUiProperty::FirstTab, 0), QStringLiteral(" Hauptschaltung "));
    // English keeps the German caption where the table has none of its own.
    EXPECT_EQ(MainWindowText("InternetUpdate1", TUiProperty::Caption, 1), QStringLiteral("Internet &Update..."));
    EXPECT_EQ(MainWindowText("InternetUpdate1", TUiProperty::Caption, 7), QStringLiteral("Internet &Update..."));
    EXPECT_TRUE(MainWindowText("NoSuchControl", TUiProperty::Caption, 1).isEmpty());
}

TEST_F(TranslateUITest, QtsOwnTextsFollowTheLanguageOfTheLanguageFile)
{
    // Message-box buttons and the key names beside the menu items.
    const struct {
        Integer Language;
        const char* Yes;
        const char* Delete;
    } cases[] = {
        {0, "&Ja", "Entf"},
        {1, "&Yes", "Del"},
        {2, "&Oui", "Suppr"},
        {3, "&Ja", "Entf"},   // an unknown language keeps the window German
        {1, "&Yes", "Del"},   // a second start replaces the earlier translation
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        WriteFile("SPRACHE.INI", QByteArray("[Sprache]\r\nSprache=") + QByteArray::number(c.Language) + "\r\n");
        TForm1& form = Create();
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8(c.Yes));
        EXPECT_EQ(form.findChild<QAction*>("Lschen1")->shortcut().toString(QKeySequence::NativeText),
                  QString::fromUtf8(c.Delete));
    }
}
