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

TFrontplatte::TWindowSettings TFrontplatte::CurrentWindowSettings() const
{
    const Integer state = WindowStateValue();
    return {ShowInternalBtn, ShowOpenBtn, ShowSaveBtn, ShowHelpBtn, ToolTitel, ToolbarMode, Skalierbar, AutoSaveOption,
            HelpFile, ShowHints, ShowHintBtn, ShowPrintBtn, ShowCopyBtn, IconFile, ShowHWBtn, PanelDefaultColor,
            FullScreen, state, state == 0 || !NormalBounds.isValid() ? WindowBounds() : NormalBounds};
}

void TFrontplatte::ApplyWindowSettings(const TWindowSettings& w)
{
    ShowInternalBtn = w.InternalBtn;
    ShowOpenBtn = w.OpenBtn;
    ShowSaveBtn = w.SaveBtn;
    ShowHelpBtn = w.HelpBtn;
    ToolTitel = w.ToolTitel;
    ToolbarMode = std::clamp(w.ToolbarMode, 0, 2);
    Skalierbar = w.Skalierbar;
    AutoSaveOption = w.AutoSave;
    HelpFile = w.HelpFile;
    ShowHints = w.ShowHint;
    HintBtn->setChecked(ShowHints);
    ShowHintBtn = w.HintBtn;
    ShowPrintBtn = w.PrintBtn;
    ShowCopyBtn = w.CopyBtn;
    LoadIcon(w.IconFile);
    ShowHWBtn = w.HWBtn;
    PanelDefaultColor = w.Color;
    if (!KeepWindowGeometry) {
        FullScreen = w.FullScreen;
        const QRect bounds(w.Bounds.topLeft(), QSize(std::max(1, w.Bounds.width()), std::max(1, w.Bounds.height())));
        if (!FullScreen)
            NormalBounds = bounds;
        SetWindowStateValue(0);
        SetWindowBounds(bounds);
        SetWindowStateValue(std::clamp(w.State, 0, 2));
    }
}

void TFrontplatte::WriteWindowSettings(TCustomIniFile& ini)
{
    const char* s = WindowSection;
    const TWindowSettings w = CurrentWindowSettings();
    ini.WriteBool(s, "InternalBtn", w.InternalBtn);
    ini.WriteBool(s, "OpenBtn", w.OpenBtn);
    ini.WriteBool(s, "SaveBtn", w.SaveBtn);
    ini.WriteBool(s, "HelpBtn", w.HelpBtn);
    ini.WriteBool(s, "ToolTitel", w.ToolTitel);
    ini.WriteInteger(s, "ToolbarMode", w.ToolbarMode);
    ini.WriteBool(s, "Skalierbar", w.Skalierbar);
    ini.WriteBool(s, "AutoSave", w.AutoSave);
    ini.WriteString(s, "HelpFile", w.HelpFile);
    ini.WriteBool(s, "ShowHint", w.ShowHint);
    ini.WriteBool(s, "HintBtn", w.HintBtn);
    ini.WriteBool(s, "PrintBtn", w.PrintBtn);
    ini.WriteBool(s, "CopyBtn", w.CopyBtn);
    ini.WriteString(s, "IconFile", w.IconFile);
    ini.WriteBool(s, "HWBtn", w.HWBtn);
    ini.WriteInteger(s, "Color", static_cast<Integer>(w.Color));
    ini.WriteBool(s, "FullScreen", w.FullScreen);
    ini.WriteInteger(s, "Window state", w.State);
    if (w.State == 0) {
        ini.WriteInteger(s, "Left", w.Bounds.x());
        ini.WriteInteger(s, "Top", w.Bounds.y());
        ini.WriteInteger(s, "Width", w.Bounds.width());
        ini.WriteInteger(s, "Height", w.Bounds.height());
    }
}

void TFrontplatte::ReadWindowSettings(TCustomIniFile& ini)
{
    const char* s = WindowSection;
    TWindowSettings w = CurrentWindowSettings();
    w.InternalBtn = ini.ReadBool(s, "InternalBtn", w.InternalBtn);
    w.OpenBtn = ini.ReadBool(s, "OpenBtn", w.OpenBtn);
    w.SaveBtn = ini.ReadBool(s, "SaveBtn", w.SaveBtn);
    w.HelpBtn = ini.ReadBool(s, "HelpBtn", w.HelpBtn);
    w.ToolTitel = ini.ReadBool(s, "ToolTitel", w.ToolTitel);
    w.ToolbarMode = ini.ReadInteger(s, "ToolbarMode", w.ToolbarMode);
    w.Skalierbar = ini.ReadBool(s, "Skalierbar", w.Skalierbar);
    w.AutoSave = ini.ReadBool(s, "AutoSave", w.AutoSave);
    w.HelpFile = ini.ReadString(s, "HelpFile", w.HelpFile);
    w.ShowHint = ini.ReadBool(s, "ShowHint", w.ShowHint);
    w.HintBtn = ini.ReadBool(s, "HintBtn", w.HintBtn);
    w.PrintBtn = ini.ReadBool(s, "PrintBtn", w.PrintBtn);
    w.CopyBtn = ini.ReadBool(s, "CopyBtn", w.CopyBtn);
    w.IconFile = ini.ReadString(s, "IconFile", w.IconFile);
    w.HWBtn = ini.ReadBool(s, "HWBtn", w.HWBtn);
    w.Color = static_cast<TColor>(ini.ReadInteger(s, "Color", static_cast<Integer>(w.Color)));
    w.FullScreen = ini.ReadBool(s, "FullScreen", w.FullScreen);
    w.Bounds = QRect(ini.ReadInteger(s, "Left", w.Bounds.x()), ini.ReadInteger(s, "Top", w.Bounds.y()),
                     ini.ReadInteger(s, "Width", w.Bounds.width()), ini.ReadInteger(s, "Height", w.Bounds.height()));
    w.State = ini.ReadInteger(s, "Window state", w.State);
    ApplyWindowSettings(w);
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
