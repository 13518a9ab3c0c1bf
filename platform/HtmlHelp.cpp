#include "platform/HtmlHelp.h"

#include "platform/Paths.h"
#include "platform/TextLanguage.h"

#include <QDesktopServices>
#include <QUrl>
#include <string>

namespace {

bool helpMissing = false;

std::function<void(const QUrl&)>& Browser()
{
    static std::function<void(const QUrl&)> browser;
    return browser;
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
    if (Browser())
        Browser()(url);
    else
        QDesktopServices::openUrl(url);
    return 1;
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

void SetHtmlHelpBrowser(std::function<void(const QUrl&)> browser)
{
    Browser() = std::move(browser);
}
