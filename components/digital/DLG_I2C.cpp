#include "components/digital/DLG_I2C.h"

#include "components/digital/BT_I2C.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/HtmlHelp.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int ItemHeight = 14;

QListWidgetItem* StepItem(Integer code)
{
    auto* item = new QListWidgetItem(QString::fromLatin1(I2cStepText(code)));
    item->setSizeHint(QSize(0, ItemHeight));
    return item;
}

} // namespace

TI2C_Dlg::TI2C_Dlg(QWidget* parent) : TModalForm(parent)
{
    setObjectName("I2C_Dlg");
    setFixedSize(431, 382);
    setWindowTitle("I2C MASTER");
    if (!RunOnlyMode)
        setWindowFlag(Qt::WindowContextHelpButtonHint, true);

    gbProgramm = Place(new QGroupBox("I2C COMMAND SEQUENCE", this), "gbProgramm", 8, 8, 415, 318);
    lbProgramm = Place(new QListWidget(gbProgramm), "lbProgramm", 13, 22, 188, 283);
    SetFormFont(*lbProgramm, "Courier New", -11);
    lbProgramm->setSelectionMode(QAbstractItemView::SingleSelection);
    lbProgramm->setUniformItemSizes(true);

    AddBtn = StepButton("AddBtn", "START", I2cStart, 229, 22, 155, 19);
    SpeedButton1 = StepButton("SpeedButton1", "STOP", I2cStop, 229, 40, 155, 19);
    SpeedButton4 = StepButton("SpeedButton4", "SEND WRITE ADRESS", I2cSendWriteAddress, 229, 64, 155, 19);
    SpeedButton3 = StepButton("SpeedButton3", "SEND READ ADRESS", I2cSendReadAddress, 229, 82, 155, 19);
    SpeedButton5 = StepButton("SpeedButton5", "SEND DATA BYTE", I2cSendDataByte, 229, 100, 155, 19);
    SpeedButton6 = StepButton("SpeedButton6", "WAIT ACKNOWLEDGE", I2cWaitAcknowledge, 229, 118, 155, 19);
    SpeedButton2 = StepButton("SpeedButton2", "RECEIVE DATA BYTE", I2cReceiveDataByte, 229, 144, 155, 19);
    SpeedButton7 = StepButton("SpeedButton7", "ACKNOWLEDGE", I2cAcknowledge, 229, 162, 155, 19);
    SpeedButton8 = StepButton("SpeedButton8", "NO ACKNOWLEDGE", I2cNoAcknowledge, 229, 180, 155, 19);
    SpeedButton11 = StepButton("SpeedButton11", "LOOP START", I2cLoopStart, 229, 224, 76, 19);
    SpeedButton12 = StepButton("SpeedButton12", "LOOP END", I2cLoopEnd, 229, 242, 76, 19);
    Label1 = Place(new QLabel("Loops:", gbProgramm), "Label1", 313, 222, 71, 17);
    LoopSpin = Place(new TUCLSpinEdit(gbProgramm), "LoopSpin", 313, 240, 71, 21);
    LoopSpin->SetMinValue(1);
    LoopSpin->SetMaxValue(TBT_I2C_Master::MaxLoopCount);
    LoopSpin->SetValue(1);
    Label1->setBuddy(LoopSpin);
    DelBtn = StepButton("DelBtn", "DELETE", DeleteTag, 229, 286, 50, 22);
    SpeedButton9 = StepButton("SpeedButton9", "UP", UpTag, 281, 286, 50, 22);
    SpeedButton10 = StepButton("SpeedButton10", "DOWN", DownTag, 333, 286, 51, 22);

    cb_CLK = Place(new QCheckBox("Internal CLK", this), "cb_CLK", 16, 336, 160, 20);
    OKBtn = Place(new QPushButton("&OK", this), "OKBtn", 264, 348, 75, 25);
    Button2 = Place(new QPushButton(ByLanguage("&Abbrechen", "&Cancel", "&Annuler"), this), "Button2", 346, 348, 75,
                    25);
    OKBtn->setDefault(true);
    SetModalResult(OKBtn, mrOk);
    SetModalResult(Button2, mrCancel);
}

QToolButton* TI2C_Dlg::StepButton(const char* name, const char* text, Integer tag, int x, int y, int w, int h)
{
    auto* button = Place(new QToolButton(gbProgramm), name, x, y, w, h);
    button->setText(text);
    button->setProperty("Tag", tag);
    connect(button, &QToolButton::clicked, this, [this, tag] { AddBtnClick(tag); });
    return button;
}

void TI2C_Dlg::FormShow()
{
    lbProgramm->clear();
    for (Integer code : Steps)
        lbProgramm->addItem(StepItem(code));
    SelectRow(-1);
}

int TI2C_Dlg::SelectedRow() const
{
    const QModelIndexList rows = lbProgramm->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TI2C_Dlg::SelectRow(int row)
{
    if (row < 0 || row >= lbProgramm->count()) {
        lbProgramm->clearSelection();
        lbProgramm->setCurrentRow(-1, QItemSelectionModel::Clear);
        return;
    }
    lbProgramm->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void TI2C_Dlg::InsertStep(int row, Integer code)
{
    if (row < 0 || row >= int(Steps.size())) {
        Steps.push_back(code);
        lbProgramm->addItem(StepItem(code));
        return;
    }
    Steps.insert(Steps.begin() + row, code);
    lbProgramm->insertItem(row, StepItem(code));
}

void TI2C_Dlg::AddBtnClick(Integer tag)
{
    const int selected = SelectedRow();
    const int count = int(Steps.size());
    switch (tag) {
    case I2cLoopStart:
    case I2cLoopEnd: {
        const auto found = std::find(Steps.begin(), Steps.end(), tag);
        if (found == Steps.end()) {
            InsertStep(selected, tag);
        } else if (selected >= 0) {
            const int from = int(found - Steps.begin());
            Steps.erase(found);
            Steps.insert(Steps.begin() + selected, tag);
            lbProgramm->insertItem(selected, lbProgramm->takeItem(from));
            SelectRow(selected);
        }
        break;
    }
    case DeleteTag:
        if (selected >= 0) {
            Steps.erase(Steps.begin() + selected);
            delete lbProgramm->takeItem(selected);
            SelectRow(selected);
        }
        break;
    case UpTag:
        if (selected > 0) {
            std::swap(Steps[std::size_t(selected)], Steps[std::size_t(selected - 1)]);
            lbProgramm->insertItem(selected - 1, lbProgramm->takeItem(selected));
            SelectRow(selected - 1);
        }
        break;
    case DownTag:
        if (selected >= 0 && selected < count - 1) {
            std::swap(Steps[std::size_t(selected)], Steps[std::size_t(selected + 1)]);
            lbProgramm->insertItem(selected + 1, lbProgramm->takeItem(selected));
            SelectRow(selected + 1);
        }
        break;
    default:
        if (tag >= 0 && tag < I2cStepCodeCount)
            InsertStep(selected, tag);
        break;
    }
}

bool TI2C_Dlg::event(QEvent* event)
{
    if (ShowHelpOnHelpButton(event, 18757))
        return true;
    return TModalForm::event(event);
}
