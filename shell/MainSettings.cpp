// The main window's use of its settings files: the recent-file list.
#include "shell/MainForm.h"

#include "engine/Globals.h"
#include "platform/AnsiText.h"
#include "platform/IniFile.h"

#include <QAction>

void TForm1::LoadHistory()
{
    History.Load(*SettingsIni);
    UpdateHistory();
}

void TForm1::UpdateHistory()
{
    for (int i = 0; i < TRecentFiles::Count; ++i)
        historyItems_[i]->setText(AnsiToQString(History.Caption(i)));
    if (!RunOnlyMode && SettingsIni)
        History.Write(*SettingsIni);
}

void TForm1::AddToHistory(const AnsiString& fileName)
{
    if (!RunOnlyMode && History.Add(fileName))
        UpdateHistory();
}
