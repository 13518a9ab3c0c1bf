// The front-panel window as far as project files need it while the window
// itself does not exist: the real root container (panel/framework) and a
// window block that is read, kept value by value and written back in the
// same layout, so that opening and saving a project keeps its panel part
// byte for byte. A new project writes the records of an empty panel.
#pragma once

#include "engine/PanelInterfaces.h"
#include "panel/framework/Design.h"
#include "panel/framework/PanelGlobals.h"

#include <algorithm>
#include <memory>
#include <vector>

class TStandInFrontplatte : public IFrontplatte {
public:
    TStandInFrontplatte();

    TDesign* RootDesign() const override { return root_.get(); }
    IDesign* ShownDesign() const override { return shown_; }
    void ShowPanel(IDesign* design) override { shown_ = design ? design : root_.get(); }
    Integer AktiveFrontplatte() const override { return TabIndex; }
    void CheckeFrontplattenNummern() override {}
    Integer PageCount() const override { return std::max<Integer>(1, static_cast<Integer>(Pages.size())); }
    bool AutoSave() const override { return Options[AutoSaveOption]; }
    void SaveDefaultSettings(const AnsiString&) override {}
    void ResetToNewProject() override;
    void WriteToStream(TStream& stream, TWriter& writer) override;
    void ReadFromStream(TStream& stream, TReader& reader, Byte version) override;

    TDesign& Root() { return *root_; }

    // The window block's values in their order.
    Integer WindowLeft = 100;
    Integer WindowTop = 100;
    Integer WindowWidth = 640;
    Integer WindowHeight = 480;
    AnsiString Title;                      // at most 50 characters are stored
    std::vector<AnsiString> Pages;
    Integer TabIndex = 0;
    // ShowDlgBtn, ShowOpenBtn, ShowSaveBtn, ShowHelpBtn, ToolTitel, Skalierbar, AutoSave.
    static constexpr int AutoSaveOption = 6;
    bool Options[7] = {};
    AnsiString HelpFile;
    bool ShowHint = true;
    bool ShowHintBtn = false;
    bool ShowPrintBtn = false;
    bool ShowCopyBtn = false;
    AnsiString IconFile;
    bool ShowHWBtn = false;
    TColor PanelDefaultColor = NewPanelColor;
    bool ShowInternalBtn = false;
    Integer PrintOffsetX = 0;
    Integer PrintOffsetY = 0;
    Integer PreviewOffsetX = 0;
    Integer PreviewOffsetY = 0;
    Integer PrintZoom = 100;
    Extended PrintScale = 1.0L;
    AnsiString PrintHeadline;
    bool PrintMono = false;
    bool PrintCentered = true;
    bool PrintBackground = false;
    Integer PrinterIndex = -1;
    Integer PrintOrientation = 0;
    std::vector<AnsiString> PrintComment;
    Integer ToolbarMode = 0;
    AnsiString WebServerPath;
    Integer WebMode = 0;
    Integer WebRefreshSeconds = 5;
    Integer WindowState = 0;
    bool FullScreen = false;

private:
    std::unique_ptr<TDesign> root_;
    IDesign* shown_;
};
