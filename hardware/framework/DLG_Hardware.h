// The hardware list: the connection of every device of a project (address,
// COM port, device index, serial number, joystick, MIDI port) read from the
// sections of a key/value file, changed for several devices of one kind at
// once and written back into the same file.
#pragma once

#include "dialogs/ModalForm.h"

#include <span>
#include <vector>

class QPushButton;
class QTableWidget;
class TUCLListBox;

// How the change dialog edits a connection and stores it.
enum class THardwareEditor : Byte {
    Hex4,          // edit, at most 4 characters; stored as 4 hex digits
    Text15,        // edit, at most 15 characters; stored as typed
    ComList,       // "Kein", "COM1" .. "COM99"; stored as the index
    LptList,       // "Kein", "LPT1" .. "LPT3"
    Joysticks,     // JoystickList()
    MidiInputs,    // MidiInputList()
    MidiOutputs,   // MidiOutputList()
};

// A connection key of a device's section, the kind the list shows for it and
// its editor.
struct THardwareKey {
    const char* Key;
    const char* Kind;
    THardwareEditor Editor;
};
// In the order the list shows the keys of one section.
std::span<const THardwareKey> HardwareKeys();

class THardware_Dlg : public TModalForm {
    Q_OBJECT
public:
    static constexpr Integer HelpContext = 5600;

    explicit THardware_Dlg(QWidget* parent = nullptr);

    QPushButton* OK_Btn;
    QPushButton* CancelBtn;
    QPushButton* ChangeBtn;
    // The rows: row 0 the header, then section, name, kind and value of
    // every connection. Kept out of sight; NewGrid shows them.
    QTableWidget* Grid;
    TUCLListBox* NewGrid;

    // One row per connection key of every section; a file without sections
    // gives the single row "-" and a disabled list.
    void LoadHardwareIni(const AnsiString& fileName);
    // Every row's value into its section under the key it came from.
    void SaveHardwareIni(const AnsiString& fileName);

    // The list's selection changed: ChangeBtn is enabled for rows of one kind.
    void NewGridClick();
    // The shared settings dialog with the kind's editor; OK gives every
    // selected row the new value in its storage form.
    void ChangeBtnClick();

protected:
    void BeforeShow() override;
    bool event(QEvent* event) override;

private:
    void SetTexts();
    void AddRow(const AnsiString& section, const AnsiString& name, const AnsiString& kind, const AnsiString& value,
                const THardwareKey* key);
    AnsiString Cell(int column, int row) const;
    // The list from the grid; the selected rows stay selected.
    void BuildList();
    std::vector<int> SelectedRows() const;

    // The key of each grid row after the header; nullptr for the "-" row.
    std::vector<const THardwareKey*> rowKeys_;
    int firstSelected_ = -1;
};

// The program's one hardware list, made on first use.
THardware_Dlg& Hardware_Dlg();
// The "Hardware..." command's dialog on the file: shows the list of its
// sections and on OK saves them back; true on OK.
bool EditHardwareIni(const AnsiString& fileName);
