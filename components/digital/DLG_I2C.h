// The step-program dialog of the I2C master: the program as a list, a button
// per step that inserts it before the selected row (or appends it), the two
// loop markers that each stand in the program once, delete, up and down, the
// loop count and the internal clock. It works on a copy of the program that
// the component takes back on OK.
#pragma once

#include "dialogs/ModalForm.h"

#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;
class TUCLSpinEdit;

class TI2C_Dlg : public TModalForm {
    Q_OBJECT
public:
    // The tags of the buttons besides the steps' own codes.
    static constexpr Integer DeleteTag = 11;
    static constexpr Integer UpTag = 12;
    static constexpr Integer DownTag = 13;

    explicit TI2C_Dlg(QWidget* parent = nullptr);

    std::vector<Integer> Steps;   // the step list, shown in lbProgramm

    QGroupBox* gbProgramm = nullptr;
    QListWidget* lbProgramm = nullptr;
    QToolButton* AddBtn = nullptr;         // START
    QToolButton* SpeedButton1 = nullptr;   // STOP
    QToolButton* SpeedButton4 = nullptr;   // SEND WRITE ADRESS
    QToolButton* SpeedButton3 = nullptr;   // SEND READ ADRESS
    QToolButton* SpeedButton5 = nullptr;   // SEND DATA BYTE
    QToolButton* SpeedButton6 = nullptr;   // WAIT ACKNOWLEDGE
    QToolButton* SpeedButton2 = nullptr;   // RECEIVE DATA BYTE
    QToolButton* SpeedButton7 = nullptr;   // ACKNOWLEDGE
    QToolButton* SpeedButton8 = nullptr;   // NO ACKNOWLEDGE
    QToolButton* SpeedButton11 = nullptr;  // LOOP START
    QToolButton* SpeedButton12 = nullptr;  // LOOP END
    QToolButton* DelBtn = nullptr;
    QToolButton* SpeedButton9 = nullptr;   // UP
    QToolButton* SpeedButton10 = nullptr;  // DOWN
    QLabel* Label1 = nullptr;
    TUCLSpinEdit* LoopSpin = nullptr;
    QCheckBox* cb_CLK = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* Button2 = nullptr;

    // What every step and editing button does, by its tag.
    void AddBtnClick(Integer tag);
    // Fills the list from the step list, with no row selected.
    void FormShow();
    // The selected row, or -1.
    int SelectedRow() const;
    void SelectRow(int row);

protected:
    void BeforeShow() override { FormShow(); }
    bool event(QEvent* event) override;

private:
    QToolButton* StepButton(const char* name, const char* text, Integer tag, int x, int y, int w, int h);
    void InsertStep(int row, Integer code);
};
