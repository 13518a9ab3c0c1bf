// The front panel as far as project files need it while no element class
// exists: a root design without elements and a panel window that read their
// blocks of the project stream, keep every value and write them back in the
// same layout, so that opening and saving a project keeps its panel part
// byte for byte. A new project writes the records of an empty panel.
#pragma once

#include "engine/PanelInterfaces.h"

#include <memory>
#include <vector>

// The front-panel colour of a new project.
inline constexpr TColor NewPanelColor = 14215660;

class TStandInDesign : public IDesign {
public:
    // IFP_Element: the root design as an element of no container.
    void SetElementName(const AnsiString& name) override { name_ = name; }
    AnsiString ElementName() const override { return name_; }
    IDesign* Design() const override { return nullptr; }
    TIOBauteil* LinkedComponent() const override { return nullptr; }
    void SetLinkedComponent(TIOBauteil*) override {}
    Integer ZOrder() const override { return zOrder_; }
    void SetZOrder(Integer zOrder) override { zOrder_ = zOrder; }
    Integer FrontplattenNR() const override { return page_; }
    void SetFrontplattenNR(Integer page) override { page_ = page; }
    bool GetBisteTransparent() const override { return false; }
    void SetBisteTransparent(bool) override {}
    Integer Left() const override { return 0; }
    Integer Top() const override { return 0; }
    Integer Width() const override { return 0; }
    Integer Height() const override { return 0; }
    void SetBounds(Integer, Integer, Integer, Integer) override {}

    // IDesign: there are no elements.
    Integer IndexOfElement(const IFP_Element*) const override { return -1; }
    void SelectElement(Integer) override {}
    bool IsSelected(const IFP_Element*) const override { return false; }
    void DeselectElement(IFP_Element*) override {}
    void DeselectIndex(Integer) override {}
    void RenumberZOrder() override {}
    void SortByZOrder() override {}
    void RefreshTransparency(IFP_Element*) override {}
    // Decorations are elements too: a block that holds any raises the
    // registry's class error for the first one.
    void WriteToStream(TStream& stream, TWriter& writer) override;
    void ReadFromStream(TStream& stream, TReader& reader, Byte version) override;
    // No element class is known: raises the registry's class error.
    IFP_Element* AddElement(const AnsiString& className) override;
    void ReadElement(IFP_Element*, TStream&, TReader&, Byte) override {}
    void WriteElement(IFP_Element*, TStream&, TWriter&) override {}
    void RemoveElement(IFP_Element*) override {}
    void BringSelectionToFront() override {}
    bool HasOnlySubPanels() const override { return true; }
    void SetisVisible(bool) override {}

    // The settings of the design block, as a new project sets them.
    Integer BorderWidth = 0;
    Integer BevelWidth = 1;
    Integer BevelInner = 0;
    Integer BevelOuter = 0;
    TColor HintergrundFarbe = NewPanelColor;
    TColor Color = NewPanelColor;
    bool ColorFollowsPanel = true;
    bool BackgroundFollowsPanel = true;
    Integer WebSortOrder = 0;
    bool Publish = false;
    bool WebTitle = false;
    std::vector<AnsiString> HtmlHead;
    std::vector<AnsiString> HtmlFoot;

private:
    AnsiString name_;
    Integer zOrder_ = 0;
    Integer page_ = 0;
};

class TStandInFrontplatte : public IFrontplatte {
public:
    TStandInFrontplatte();

    IDesign* RootDesign() const override { return root_.get(); }
    IDesign* ShownDesign() const override { return shown_; }
    void ShowPanel(IDesign* design) override { shown_ = design ? design : root_.get(); }
    Integer AktiveFrontplatte() const override { return TabIndex; }
    void CheckeFrontplattenNummern() override {}
    bool AutoSave() const override { return Options[AutoSaveOption]; }
    void SaveDefaultSettings(const AnsiString&) override {}
    void ResetToNewProject() override;
    void WriteToStream(TStream& stream, TWriter& writer) override;
    void ReadFromStream(TStream& stream, TReader& reader, Byte version) override;

    TStandInDesign& Root() { return *root_; }

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
    std::unique_ptr<TStandInDesign> root_;
    IDesign* shown_;
};
