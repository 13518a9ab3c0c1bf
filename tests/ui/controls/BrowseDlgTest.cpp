#include "ui/controls/UCLBrowseDlg.h"

#include "platform/Dialogs.h"

#include <gtest/gtest.h>

TEST(BrowseDlg, ChoosesAFolderOrKeepsEverythingOnCancel)
{
    TUCLBrowseDlg dlg;
    dlg.Caption = "Zielordner";
    dlg.SelectedFolder = "/tmp/alt";
    {
        TModalHook hook({TModalAnswer::Cancel()});
        EXPECT_FALSE(dlg.Execute());
        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Kind, TModalKind::FolderDialog);
        EXPECT_EQ(hook.Requests()[0].InitialDir, "/tmp/alt");   // opens on the preset folder
        EXPECT_EQ(hook.Requests()[0].Caption, "Zielordner");
    }
    EXPECT_EQ(dlg.SelectedFolder, "/tmp/alt");
    EXPECT_EQ(dlg.DisplayName(), "");

    TModalHook hook({TModalAnswer::File("/home/messung/daten")});
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.SelectedFolder, "/home/messung/daten");
    EXPECT_EQ(dlg.DisplayName(), "daten");
}

TEST(BrowseDlg, BrowsingForAComputerGivesItsNameOnly)
{
    TUCLBrowseDlg dlg;
    dlg.StartFolder = TUCLSystemFolders::bfoNetwork;
    dlg.Options = doBrowseForComputer | doShowPath;
    dlg.SelectedFolder = "/tmp";
    TModalHook hook({TModalAnswer::File("messrechner"), TModalAnswer::Cancel()});
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(hook.Requests()[0].Kind, TModalKind::HostDialog);
    EXPECT_EQ(dlg.SelectedFolder, "");
    EXPECT_EQ(dlg.DisplayName(), "messrechner");
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(hook.Requests()[1].Text, "messrechner");   // the last choice is offered again
    EXPECT_EQ(dlg.DisplayName(), "messrechner");
}

TEST(BrowseDlg, StartFoldersKeepTheirSpecialFolderNumbers)
{
    EXPECT_EQ(SystemFolderNumber(TUCLSystemFolders::bfoDesktop), 0);
    EXPECT_EQ(SystemFolderNumber(TUCLSystemFolders::bfoDesktopExpanded), 65278);
    EXPECT_EQ(SystemFolderNumber(TUCLSystemFolders::bfoNetwork), 18);
    EXPECT_EQ(SystemFolderNumber(TUCLSystemFolders::bfoInternet), 1);
    EXPECT_EQ(SystemFolderNumber(TUCLSystemFolders::bfpProfiles), 62);
    EXPECT_FALSE(SystemFolderPath(TUCLSystemFolders::bfoDesktopExpanded).empty());
}
