// Folder browse dialog: shows the platform's folder chooser (or, for
// "browse for computer", a host-name chooser) through the modal UI service
// and returns the choice.
#pragma once

#include "ui/controls/UCLBase.h"
#include "ui/controls/UCLProcs.h"

enum TUCLBrowseDlgOption : Word {
    doBrowseForComputer = 0x0001, doBrowseForPrinter = 0x0002, doDontGoBelowDomain = 0x0004,
    doReturnFileSysAncestors = 0x0008, doReturnFileSysDirs = 0x0010, doStatusText = 0x0020,
    doShowFiles = 0x0040, doAllowEdit = 0x0080, doShowPath = 0x0100, doEnableOK = 0x0200,
    doNewGUI = 0x0400, doNewGUINoNewFolderBtn = 0x0800,
};
using TUCLBrowseDlgOptions = Word;

enum class TUCLSystemFolders {
    bfoDesktop, bfoDesktopExpanded, bfoPrograms, bfoControlPanel, bfoPrinters, bfoPersonal, bfoFavorites,
    bfoStartup, bfoRecent, bfoSendto, bfoRecycleBin, bfoStartMenu, bfoDesktopDirectory, bfoMyComputer,
    bfoNetwork, bfoNetworkNeighborhood, bfoInternet, bfoFonts, bfoTemplates, bfoCommonStartMenu,
    bfoCommonPrograms, bfoCommonStartup, bfoCommonDesktopDirectory, bfoAppData, bfoPrintHood, bfoAltStartup,
    bfoCommonAltstartup, bfoCommonFavorites, bfoInternetChache, bfoCookies, bfoHistory, bfoProfile,
    bfoConnections, bfoCommonMusic, bfoCommonPictures, bfoCommonVideos, bfoCDBurnArea, bfpProfiles,
};
// The special-folder number of a start folder (65278 for bfoDesktopExpanded).
int SystemFolderNumber(TUCLSystemFolders Folder);
// The folder a start folder stands for here: the user's home for the desktop,
// personal and profile folders and those without a counterpart.
AnsiString SystemFolderPath(TUCLSystemFolders Folder);

class TUCLBrowseDlg : public TUCLCustomComponent {
    ZK_CLASS(TUCLBrowseDlg, TUCLCustomComponent)
public:
    explicit TUCLBrowseDlg(QObject* Owner = nullptr) : TUCLCustomComponent(Owner) {}

    AnsiString SelectedFolder;   // in: preselected; out: the chosen folder
    AnsiString Caption;          // shown above the choice (the title here)
    AnsiString CaptionTitle;     // window title; empty: Caption
    TUCLDlgPosRel RelatePos = brActiveWindow;
    TUCLBrowseDlgOptions Options = doReturnFileSysDirs | doShowPath;
    TUCLDlgPosition Position = bpCenter;
    TUCLSystemFolders StartFolder = TUCLSystemFolders::bfoDesktopExpanded;

    const AnsiString& DisplayName() const { return FDisplayName; }
    // True when something was chosen: a folder (SelectedFolder and its name in
    // DisplayName) or a computer (its name in DisplayName, SelectedFolder
    // empty). Cancel changes nothing.
    bool Execute();

private:
    AnsiString FDisplayName;
};
