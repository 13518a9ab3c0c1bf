// The two summaries of a board: the bill of materials (how many components of
// each library entry the board holds, by category, macros by name) and the
// settings overview (a tree of every component with a settings dialog).
#pragma once

#include "dialogs/ModalForm.h"
#include "platform/SysTypes.h"

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TBauteil;
class TForm1;
class TPlatine;
struct TClassInfo;

// One library entry as the bill of materials compares it.
struct TMaterialEntry {
    const TClassInfo* Class = nullptr;
    AnsiString DriverClass;     // the device's class of a hardware entry, else empty
    AnsiString Caption;
    // Gates and converters are counted per input (per output for the ADC).
    enum TBreakdown : Byte { Whole, PerInput, PerOutput } Breakdown = Whole;
};

struct TMaterialCategory {
    AnsiString Name;            // shown as typed, "&&" as one "&"
    std::vector<TMaterialEntry> Entries;
};

// The entries of a loaded palette.
std::vector<TMaterialEntry> MaterialEntries(const std::vector<TBauteil*>& paletteEntries);

struct TMaterialOptions {
    bool Macros = false;        // break macros down into their inner boards
    bool Groups = false;        // category headings
};

// Appends the lines of one board (recursing into macros when asked).
void ListBoardMaterials(const TPlatine& board, Integer indent, const std::vector<TMaterialCategory>& library,
                        const TMaterialOptions& options, std::vector<AnsiString>& lines);

// The bill-of-materials window.
class TSList : public QWidget {
    Q_OBJECT
public:
    explicit TSList(QWidget* parent = nullptr);

    QToolButton* SB_Load = nullptr;
    QToolButton* SB_Save = nullptr;
    QToolButton* SB_Print = nullptr;
    QCheckBox* CB_Makros = nullptr;
    QCheckBox* CB_Gruppen = nullptr;
    QPlainTextEdit* Memo = nullptr;
    // Rebuilds the list; both check boxes call it.
    std::function<void()> OnChange;
    // Prints the text (the print button).
    std::function<void()> OnPrint;

    void SB_LoadClick();
    void SB_SaveClick();
    void SB_PrintClick();
    TMaterialOptions Options() const;
    void SetLines(const std::vector<AnsiString>& lines);

    static constexpr Integer HelpContext = 12000;

protected:
    bool event(QEvent* event) override;
};

// The settings overview.
class TObjektliste : public TModalForm {
    Q_OBJECT
public:
    explicit TObjektliste(QWidget* parent = nullptr);

    QTreeWidget* VTree = nullptr;
    QPushButton* CloseButton = nullptr;
    TPlatine* Board = nullptr;

    void FillFromBoard(TPlatine& board);
    // Bold and green for what may be set at run time (black while it runs).
    void DrawRules();
    void VTreeDblClick(QTreeWidgetItem* node);

    static constexpr Integer HelpContext = 17550;

protected:
    bool event(QEvent* event) override;
};

// The main window's commands. The windows are made on first use and reused.
TSList& MaterialsWindow(TForm1& form);
TObjektliste& OverviewWindow(TForm1& form);
// Builds and shows the bill of materials of the shown board.
void SB_SListClick(TForm1& form);
// The settings overview of the shown board, modal.
void ShowSettingsOverview(TForm1& form);
// The library in category order, for the bill of materials.
std::vector<TMaterialCategory> LoadMaterialLibrary(TForm1& form);
