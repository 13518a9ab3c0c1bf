#include "ui/controls/UCLBrowseDlg.h"

#include "platform/AnsiText.h"
#include "platform/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

int SystemFolderNumber(TUCLSystemFolders Folder)
{
    static const int numbers[] = {0,  65278, 2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 16, 17, 18, 19, 1,  20, 21,
                                  22, 23,    24, 25, 26, 27, 29, 30, 31, 32, 33, 34, 40, 49, 53, 54, 55, 59, 62};
    return numbers[int(Folder)];
}

AnsiString SystemFolderPath(TUCLSystemFolders Folder)
{
    auto location = [](QStandardPaths::StandardLocation where) {
        return QStringToAnsi(QStandardPaths::writableLocation(where));
    };
    switch (Folder) {
    case TUCLSystemFolders::bfoDesktopDirectory: return location(QStandardPaths::DesktopLocation);
    case TUCLSystemFolders::bfoFonts: return location(QStandardPaths::FontsLocation);
    case TUCLSystemFolders::bfoAppData: return location(QStandardPaths::GenericDataLocation);
    case TUCLSystemFolders::bfoCommonMusic: return location(QStandardPaths::MusicLocation);
    case TUCLSystemFolders::bfoCommonPictures: return location(QStandardPaths::PicturesLocation);
    case TUCLSystemFolders::bfoCommonVideos: return location(QStandardPaths::MoviesLocation);
    case TUCLSystemFolders::bfoPrograms:
    case TUCLSystemFolders::bfoStartMenu: return location(QStandardPaths::ApplicationsLocation);
    default: return QStringToAnsi(QDir::homePath());
    }
}

bool TUCLBrowseDlg::Execute()
{
    const AnsiString title = CaptionTitle.empty() ? Caption : CaptionTitle;
    if (Options & doBrowseForComputer) {
        const AnsiString host = ExecuteHostDialog(title, FDisplayName);
        if (host.empty())
            return false;
        SelectedFolder.clear();   // a computer has no file-system path
        FDisplayName = host;
        return true;
    }
    const AnsiString start = SelectedFolder.empty() ? SystemFolderPath(StartFolder) : SelectedFolder;
    const AnsiString folder = ExecuteFolderDialog(title, start);
    if (folder.empty())
        return false;
    SelectedFolder = folder;
    FDisplayName = QStringToAnsi(QFileInfo(AnsiToQString(folder)).fileName());
    if (FDisplayName.empty())
        FDisplayName = folder;   // the root
    return true;
}
