// The main window's own texts in the three languages: captions of its menus
// and buttons, hints, the file dialogs' filters and titles, the first tab and
// the speed box. German is the designed text; the window starts German and is
// translated once at start-up.
#pragma once

#include "platform/SysTypes.h"

#include <QString>

#include <span>

class QObject;

enum class TUiProperty { Caption, Hint, Filter, Title, FirstTab, Items };

struct TUiTranslation {
    const char* Control;     // objectName
    TUiProperty Property;
    const char* German;      // UTF-8; empty where the design has no text
    const char* English;     // nullptr: the German text stays
    const char* French;
};

std::span<const TUiTranslation> MainWindowTranslations();

// The text of a control's property in the given language (the German text
// for any language other than 1 and 2); empty when the table has no row.
QString MainWindowText(const char* control, TUiProperty property, Integer languageIndex);

// Qt's own texts in the program's language: the buttons of message boxes, the
// key names beside menu items, the file dialogs. German for any language
// other than 1 and 2, as the window's designed texts are. Replaces the
// translation installed by an earlier call.
void InstallQtTranslations(Integer languageIndex);

// Applies the table to the children of window found by name (absent controls
// are skipped): the configuration texts built from the term table in every
// language, the rest only for English and French.
void TranslateMainWindow(QObject& window, Integer languageIndex);
