// What the main window's commands do. Most delegate: editing and zoom to the
// shown board, files to the project file routines, the rest to the
// subsystems that own them.
#pragma once

#include "platform/SysTypes.h"

#include <functional>

class TForm1;
class TIOBauteil;
class TIOInterface;
class TPlatine;
enum class TBoardMode : Byte;

class TMainCommands {
public:
    explicit TMainCommands(TForm1& form) : form_(form) {}
    TForm1& Form() const { return form_; }

    // The hardware dialog of the hardware framework: shows the settings of
    // the file, saves them back into it and answers true on OK.
    std::function<bool(const AnsiString& iniFileName)> HardwareDialog;
    // Forum page opened by the "Internet Forum" command.
    static constexpr const char* ForumAddress = "https://forum.zentrika.example/";

    // ---- File
    void NewProject();
    void OpenProjectDialog();
    void OpenExample();
    void Quit();

    // ---- Edit (on CurrentBoard)
    void Cut();
    void Copy();
    void Paste();
    void Duplicate();
    void SelectAll();
    void TidyUp();
    void Delete();
    void ToFront();
    void ToBack();
    void EditProperties();
    void MirrorSelected();

    // ---- Zoom and view
    void ZoomIn();
    void ZoomOut();
    void ZoomToFit();
    void ZoomToObjects(bool selectedOnly);
    void ToggleGrid();
    // Edit mode of every open board: 1 select, 0 zoom, 2 wiring.
    void SetMode(TBoardMode mode);
    void NewText();

    // ---- Window
    void NextBoard();
    // Shows the open board of the index, as a tab change does.
    void SelectBoard(std::size_t index);
    // The inner board of the first selected macro in its tab.
    void EditMacro();

    // ---- Configuration and help
    // The hardware settings of the project through "TEMP.INI" in the
    // temporary folder; the file is gone afterwards however the dialog ends.
    void HardwareSettingsDialog();
    static AnsiString HardwareIniFileName();
    void Help();
    // The one component selected on the shown board (its pin stubs aside), or nullptr.
    TIOBauteil* SelectedComponent() const;
    // The device of the one selected hardware component, or nullptr.
    TIOInterface* SelectedDevice() const;
    // The maker's links of that device.
    void MakerLinks();
    void OpenForum();

private:
    TPlatine& Board() const;
    // The centre of the shown part of the board in board-control pixels.
    TPoint ViewCentre() const;
    TForm1& form_;
};
