// The editor of the correction table: the pairs in a grid, edits for one
// pair, add / change / delete / clear and the import of a text file. It works
// on its own copy of the table; the block takes it over only on OK.
#pragma once

#include "components/analog/Korrekturwerte.h"
#include "dialogs/ModalForm.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TKorrekturtabelleDlg : public TModalForm {
public:
    explicit TKorrekturtabelleDlg(QWidget* parent = nullptr);

    TKorrekturwerte Values;
    bool CopyOnClick = false;

    QTableWidget* Grid;
    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* E_Edit;
    QLineEdit* A_Edit;
    QPushButton* AddBtn;
    QPushButton* ChangeBtn;
    QPushButton* DeleteBtn;
    QPushButton* DeleteAllBtn;
    QPushButton* ImportBtn;
    QCheckBox* cb_RuntimeEdit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // The grid row of pair i is i + 1 (row 0 is the header), as the handlers
    // count; 0 when no pair is selected.
    Integer SelectedRow() const;
    void SelectRow(Integer row);

    void FillGrid();
    void UpdateButtons();
    void E_EditChange();
    void GridClick();
    void AddBtnClick();
    void ChangeBtnClick();
    void DeleteBtnClick();
    void DeleteAllBtnClick();
    void ImportBtnClick();

protected:
    void BeforeShow() override { FillGrid(); }
    bool event(QEvent* event) override;
};
