// The memory editor of the RAM and ROM: a grid of the bytes in a
// hexadecimal, binary or decimal view with checked cell entry, the memory
// size, fill, load and save of a hex text file, the file to load at every
// start and the run-time flag. It works on a copy that the component hands
// in and takes back on OK.
#pragma once

#include "dialogs/ModalForm.h"

#include <QAbstractTableModel>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class TUCLFileOpenEdit;
class TUCLSpinEdit;

// The bytes as grid rows: eight bytes a row in the hexadecimal and decimal
// views, one byte a row (bit 0 leftmost) in the binary view. Rows are only
// worked out when shown, so even 65,536 binary rows cost nothing up front.
class THexModel : public QAbstractTableModel {
    Q_OBJECT
public:
    THexModel(Byte* memory, QObject* parent) : QAbstractTableModel(parent), memory_(memory) {}

    Integer DisplayMode() const { return mode_; }
    Integer MemorySize() const { return size_; }
    void SetView(Integer displayMode, Integer memorySize);
    // The first byte of a row, and the row of a byte.
    Integer RowAddress(int row) const { return mode_ == 1 ? row : row * 8; }
    int AddressRow(Integer address) const { return mode_ == 1 ? address : address / 8; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 8; }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Checks the text by the view; a refused entry shows the view's warning,
    // reports Refused and stores nothing.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // Binary view: the bit of the cell flips.
    void ToggleBit(const QModelIndex& index);

signals:
    void Refused(const QModelIndex& index);

private:
    Byte* memory_;
    Integer mode_ = 0;
    Integer size_ = 1024;
};

class THexEditor : public TModalForm {
    Q_OBJECT
public:
    static constexpr Integer Capacity = 65536;

    explicit THexEditor(QWidget* parent = nullptr);
    ~THexEditor() override;

    std::unique_ptr<Byte[]> Memory{new Byte[Capacity]()};   // the working copy
    Integer HelpTopic = 0;

    Integer MemorySize() const { return model_->MemorySize(); }
    void SetMemorySize(Integer size);
    Integer DisplayMode() const { return model_->DisplayMode(); }
    // Checks the view's button and shows that view.
    void SetDisplayMode(Integer mode);
    // Shows Memory in the current view, the top row at TopAddress.
    void FillGrid();
    // The address of the first byte of the top visible row.
    Integer TopAddress() const;
    void SetTopAddress(Integer address);

    QTableView* HexGrid = nullptr;
    QRadioButton* RB_Hex = nullptr;
    QRadioButton* RB_Bin = nullptr;
    QRadioButton* RB_Dez = nullptr;
    QPushButton* Button1 = nullptr;   // OK
    QPushButton* Button2 = nullptr;   // Cancel
    QPushButton* Button3 = nullptr;   // load
    QPushButton* Button4 = nullptr;   // save
    QPushButton* Button5 = nullptr;   // fill
    TUCLSpinEdit* SE_Fill = nullptr;
    QComboBox* cb_Groesse = nullptr;
    QCheckBox* CB_AutoLoad = nullptr;
    TUCLFileOpenEdit* E_Datei = nullptr;
    QCheckBox* cb_RuntimeEdit = nullptr;
    QLabel* L_Bin = nullptr;

    void RB_HexClick();
    void cb_GroesseChange();
    void Button3Click();
    void Button4Click();
    void Button5Click();

    void done(int result) override;

protected:
    bool event(QEvent* event) override;

private:
    // The cell being edited is checked and stored, as on leaving it.
    void CommitCell();
    void RefuseLeaving(const QModelIndex& index);

    THexModel* model_ = nullptr;
    Integer topAddress_ = 0;
    bool closing_ = false;
};
