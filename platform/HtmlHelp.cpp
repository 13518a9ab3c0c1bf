#include "platform/HtmlHelp.h"

#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/TextLanguage.h"

#include <QDesktopServices>
#include <QEvent>
#include <QUrl>
#include <QWhatsThis>
#include <string>

namespace {

bool helpMissing = false;

std::function<bool(const QUrl&)>& Browser()
{
    static std::function<bool(const QUrl&)> browser;
    return browser;
}

// Without a desktop opener (xdg-open) a help key would seem to do nothing.
void ReportNoBrowser(const AnsiString& path)
{
    const std::string text = PlatformText<std::string>(
        "Die Hilfeseite kann nicht angezeigt werden: es ist kein Programm zum Öffnen von Web-Seiten eingerichtet "
        "(xdg-open aus dem Paket xdg-utils).\n\nDie Seite: ",
        "The help page cannot be shown: no program to open web pages is set up (xdg-open of the package "
        "xdg-utils).\n\nThe page: ",
        "La page d'aide ne peut pas être affichée : aucun programme pour ouvrir des pages web n'est installé "
        "(xdg-open du paquet xdg-utils).\n\nLa page : ");
    const std::string caption = PlatformText<std::string>("Hilfe", "Help", "Aide");
    MessageBox(QStringToAnsi(QString::fromUtf8(text) + QtFileName(path)),
               QStringToAnsi(QString::fromUtf8(caption)), MB_OK | MB_ICONWARNING);
}

Integer ShowHelpPage(void*, const AnsiString& fileName, Cardinal command, std::uintptr_t data)
{
    AnsiString page;
    if (command == HH_DISPLAY_TOPIC)
        page = "index.html";
    else if (command == HH_HELP_CONTEXT)
        page = std::to_string(data) + ".html";
    else
        return 0;
    const AnsiString path = HelpPageFile(ExtractFilePath(fileName), page);
    if (path.empty())
        return 0;
    const QUrl url = QUrl::fromLocalFile(QtFileName(path));
    const bool shown = Browser() ? Browser()(url) : QDesktopServices::openUrl(url);
    if (!shown) {
        ReportNoBrowser(path);
        return 0;
    }
    return 1;
}

THelpOpener& HelpOpener()
{
    static THelpOpener opener;
    return opener;
}

} // namespace

AnsiString HelpPageFile(const AnsiString& folder, const AnsiString& page)
{
    static const char* const languages[3] = {"de/", "en/", "fr/"};
    for (const AnsiString& candidate :
         {folder + "help/" + languages[TextLanguage()] + page, folder + "help/" + page}) {
        const AnsiString path = ResolvePath(candidate);
        if (FileExists(path))
            return path;
    }
    return AnsiString();
}

THtmlHelpProc LoadHtmlHelpProc()
{
    return helpMissing ? nullptr : &ShowHelpPage;
}

void SetHtmlHelpMissingForTest(bool missing)
{
    helpMissing = missing;
}

void SetHtmlHelpBrowser(std::function<bool(const QUrl&)> browser)
{
    Browser() = std::move(browser);
}

void SetHelpOpener(THelpOpener opener)
{
    HelpOpener() = std::move(opener);
}

bool ShowHelpOnHelpButton(QEvent* event, Integer context)
{
    if (event->type() != QEvent::EnterWhatsThisMode)
        return false;
    QWhatsThis::leaveWhatsThisMode();
    ShowHelpTopic(context);
    return true;
}

void ShowHelpTopic(Integer context)
{
    const AnsiString page = HelpPageFile(ProgramFolder(), std::to_string(context) + ".html");
    if (page.empty())
        return;
    const QUrl url = QUrl::fromLocalFile(QtFileName(page));
    if (HelpOpener())
        HelpOpener()(url);
    else
        QDesktopServices::openUrl(url);
}
