// The HTML help viewer the program binds by name: here the help file's pages
// are local HTML files in the "help" folder beside it, shown in the desktop's
// browser. A test can replace the browser, or make the viewer look absent.
#pragma once

#include "platform/SysTypes.h"

#include <cstdint>
#include <functional>

class QEvent;
class QUrl;

inline constexpr Cardinal HH_DISPLAY_TOPIC = 1;    // the help file's start page
inline constexpr Cardinal HH_HELP_CONTEXT = 15;    // the page of the context number in data

// Shows the page for command and data of the help file (for example
// ProgramFolder + "Zentrika40.CHM": pages under ProgramFolder + "help/" in
// the folder of the text language, "index.html" and "<context>.html"). Returns 1 when a page was shown, 0 for
// an unknown command or a missing page, and 0 after a message when no browser
// could be started.
using THtmlHelpProc = Integer (*)(void* caller, const AnsiString& fileName, Cardinal command, std::uintptr_t data);

// The page of the help folder under folder (with its trailing "/") in the
// text language (help/de/, help/en/, help/fr/), else help/ itself; "" when
// there is none.
AnsiString HelpPageFile(const AnsiString& folder, const AnsiString& page);

// The bound viewer, or nullptr when it is (made) absent.
THtmlHelpProc LoadHtmlHelpProc();
void SetHtmlHelpMissingForTest(bool missing);
// Replaces the browser (tests), which answers whether it showed the page; an
// empty function restores it.
void SetHtmlHelpBrowser(std::function<bool(const QUrl&)> browser);

// Opens help/<context>.html under the program folder in the desktop's
// browser; nothing when that page does not exist.
void ShowHelpTopic(Integer context);
// The help button of a window's title bar: the event that starts the
// what's-this mode shows the page of the context instead; true when it did.
bool ShowHelpOnHelpButton(QEvent* event, Integer context);
// Replaces the browser call (tests); an empty function restores it.
using THelpOpener = std::function<void(const QUrl&)>;
void SetHelpOpener(THelpOpener opener);
