// The panel's settings files: the project's run-state file, written at stop
// and read at start, and the operator's "*.EST" files of named settings. Both
// hold the window section "Zentrika" and one section per element with state.
#include "panel/framework/Frontplatte.h"

#include "engine/Globals.h"
#include "engine/Language.h"
#include "panel/framework/FrontplatteGlobals.h"
#include "panel/framework/PanelGlobals.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"

#include <QToolButton>

namespace {

constexpr const char* WindowSection = "Zentrika";
constexpr const char* ElementPrefix = "MainModul";

AnsiString Utf8(const char* text)
{
    return QStringToAnsi(QString::fromUtf8(text));
}

AnsiString SettingsFilter()
{
    return Utf8(ByLanguage("Einstellungen (*.EST)|*.EST", "Settings (*.EST)|*.EST", "Réglages (*.EST)|*.EST"));
}

} // namespace

AnsiString PanelRunStateFileName(const AnsiString& projectFileName)
{
    const AnsiString project = projectFileName.empty() ? ProgramFolder() + "UNSAVED.PRJ" : projectFileName;
    return ExtractFilePath(project) + FileTitleUpper(project) + "_Default.set";
}

void TFrontplatte::WriteWindowSettings(TCustomIniFile& ini)
{
    const char* s = WindowSection;
    ini.WriteBool(s, "InternalBtn", ShowInternalBtn);
    ini.WriteBool(s, "OpenBtn", ShowOpenBtn);
    ini.WriteBool(s, "SaveBtn", ShowSaveBtn);
    ini.WriteBool(s, "HelpBtn", ShowHelpBtn);
    ini.WriteBool(s, "ToolTitel", ToolTitel);
    ini.WriteInteger(s, "ToolbarMode", ToolbarMode);
    ini.WriteBool(s, "Skalierbar", Skalierbar);
    ini.WriteBool(s, "AutoSave", AutoSaveOption);
    ini.WriteString(s, "HelpFile", HelpFile);
    ini.WriteBool(s, "ShowHint", ShowHints);
    ini.WriteBool(s, "HintBtn", ShowHintBtn);
    ini.WriteBool(s, "PrintBtn", ShowPrintBtn);
    ini.WriteBool(s, "CopyBtn", ShowCopyBtn);
    ini.WriteString(s, "IconFile", IconFile);
    ini.WriteBool(s, "HWBtn", ShowHWBtn);
    ini.WriteInteger(s, "Color", static_cast<Integer>(PanelDefaultColor));
    ini.WriteBool(s, "FullScreen", FullScreen);
    const Integer state = WindowStateValue();
    ini.WriteInteger(s, "Window state", state);
    if (state == 0) {
        const QRect bounds = WindowBounds();
        ini.WriteInteger(s, "Left", bounds.x());
        ini.WriteInteger(s, "Top", bounds.y());
        ini.WriteInteger(s, "Width", bounds.width());
        ini.WriteInteger(s, "Height", bounds.height());
    }
}

void TFrontplatte::ReadWindowSettings(TCustomIniFile& ini)
{
    const char* s = WindowSection;
    ShowInternalBtn = ini.ReadBool(s, "InternalBtn", false);
    ShowOpenBtn = ini.ReadBool(s, "OpenBtn", false);
    ShowSaveBtn = ini.ReadBool(s, "SaveBtn", false);
    ShowHelpBtn = ini.ReadBool(s, "HelpBtn", false);
    ToolTitel = ini.ReadBool(s, "ToolTitel", false);
    ToolbarMode = std::clamp(ini.ReadInteger(s, "ToolbarMode", 1), 0, 2);
    Skalierbar = ini.ReadBool(s, "Skalierbar", false);
    AutoSaveOption = ini.ReadBool(s, "AutoSave", false);
    HelpFile = ini.ReadString(s, "HelpFile", "");
    ShowHints = ini.ReadBool(s, "ShowHint", false);
    HintBtn->setChecked(ShowHints);
    ShowHintBtn = ini.ReadBool(s, "HintBtn", false);
    ShowPrintBtn = ini.ReadBool(s, "PrintBtn", false);
    ShowCopyBtn = ini.ReadBool(s, "CopyBtn", false);
    LoadIcon(ini.ReadString(s, "IconFile", ""));
    ShowHWBtn = ini.ReadBool(s, "HWBtn", false);
    PanelDefaultColor = static_cast<TColor>(ini.ReadInteger(s, "Color", static_cast<Integer>(NewPanelColor)));
    if (!KeepWindowGeometry) {
        FullScreen = ini.ReadBool(s, "FullScreen", false);
        QRect bounds(ini.ReadInteger(s, "Left", 10), ini.ReadInteger(s, "Top", 10), 0, 0);
        bounds.setWidth(std::max(1, ini.ReadInteger(s, "Width", 600)));
        bounds.setHeight(std::max(1, ini.ReadInteger(s, "Height", 400)));
        if (!FullScreen)
            NormalBounds = bounds;
        const Integer state = std::clamp(ini.ReadInteger(s, "Window state", 0), 0, 2);
        SetWindowStateValue(0);
        SetWindowBounds(bounds);
        SetWindowStateValue(state);
    }
    SetRunMode(RunMode);
}

void TFrontplatte::SaveDefaultSettings(const AnsiString& projectFileName)
{
    TIniFile ini(PanelRunStateFileName(projectFileName));
    WriteWindowSettings(ini);
    Root->SaveState(ini, ElementPrefix);
}

void TFrontplatte::LoadDefaultSettings(const AnsiString& projectFileName)
{
    TIniFile ini(PanelRunStateFileName(projectFileName));
    ReadWindowSettings(ini);
    Root->LoadState(ini, ElementPrefix, false);
}

void TFrontplatte::SaveWindowDefaults(const AnsiString& projectFileName)
{
    TIniFile ini(PanelRunStateFileName(projectFileName));
    WriteWindowSettings(ini);
}

void TFrontplatte::SaveBtnClick()
{
    if (!ToolButtonVisible(SaveBtn))
        return;
    AnsiString name = FileTitleUpper(CurrentProjectFile);
    if (name.empty())
        name = ByLanguage("Neues_Projekt", "New_project", "Nouveau_projet");
    TFileDialog dialog;
    dialog.Kind = TFileDialogKind::Save;
    dialog.Filter = SettingsFilter();
    dialog.DefaultExt = "EST";
    dialog.FileName = LastSettingsFile.empty() ? name + ".EST" : LastSettingsFile;
    dialog.InitialDir = ProjectFolder;
    const AnsiString fileName = ExecuteFileDialog(dialog);
    if (fileName.empty())
        return;
    TIniFile ini(fileName);
    for (const AnsiString& section : ini.ReadSections())
        ini.EraseSection(section);
    ini.WriteString(WindowSection, "Project", FileTitleUpper(CurrentProjectFile));
    WriteWindowSettings(ini);
    Root->SaveState(ini, ElementPrefix);
}

void TFrontplatte::OpenBtnClick()
{
    if (!ToolButtonVisible(OpenBtn))
        return;
    TFileDialog dialog;
    dialog.Filter = SettingsFilter();
    dialog.DefaultExt = "EST";
    dialog.FileName = LastSettingsFile;
    dialog.InitialDir = ProjectFolder;
    const AnsiString fileName = ExecuteFileDialog(dialog);
    if (fileName.empty())
        return;
    LastSettingsFile = fileName;
    LoadSettingsFile(fileName);
}

void TFrontplatte::LoadSettingsFile(const AnsiString& fileName)
{
    TIniFile ini(fileName);
    const AnsiString caption = QStringToAnsi(windowTitle());
    if (ini.ReadString(WindowSection, "Project", "ERROR") == "ERROR") {
        MessageBox(Utf8(ByLanguage("Diese Datei enthält keine gültigen Einstellungen!",
                                   "No valid setting found in this file!",
                                   "Aucun réglage valide trouvé dans ce fichier !")),
                   caption, MB_OK | MB_ICONWARNING);
        return;
    }
    bool mismatch = false;
    for (const AnsiString& section : ini.ReadSections()) {
        if (AnsiUpperCase(section) == AnsiUpperCase(WindowSection))
            continue;
        if (!Root->MatchFullName(ElementPrefix, section))
            mismatch = true;
    }
    if (!mismatch && !Root->LoadState(ini, ElementPrefix, true))
        mismatch = true;
    if (mismatch) {
        const Integer answer = MessageBox(
            Utf8(ByLanguage("Die Einstellungsdatei stimmt nicht mit dem Projekt überein.\rDas Laden kann zu "
                            "unerwarteten Einstellungen führen.\r\rMöchten Sie die Einstellung trotzdem laden?",
                            "The setting in this file does not match the project.\rUnexpected settings can "
                            "occur.\r\rLoad setting file anyway?",
                            "Les réglages de ce fichier ne correspondent pas à ce fichier.\rDes réglages "
                            "inappropriés peuvent survenir.\r\rCharger tout de même les réglages ?")),
            Utf8(ByLanguage("Warnung", "Warning", "Warning")), MB_YESNO | MB_ICONWARNING);
        if (answer != IDYES)
            return;
    }
    ReadWindowSettings(ini);
    Root->LoadState(ini, ElementPrefix, false);
    if (mismatch)
        MessageBox(Utf8(ByLanguage("Bitte überprüfen Sie die Einstellungen und\rspeichern Sie die "
                                   "Einstellungsdatei neu ab.",
                                   "Please verify all settings and \rsave the setting file again.",
                                   "Vérifiez s´il vous plait tous les réglages et \rsauvegardez à nouveau le "
                                   "fichier des réglages.")),
                   Utf8(ByLanguage("Hinweis", "Information", "Information")), MB_OK);
}
