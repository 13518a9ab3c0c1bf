// The pins-and-ports editor: a device's ports in a list, the channels of the
// shown port in a grid whose descriptions the user renames, and the
// configure button for a channel's range or direction. It edits the channels
// directly; the device's settings dialog undoes everything on Cancel from its
// snapshot. One form TPinPortDlg holds it for the whole program; a driver
// hands it its ports from getKonfigData and shows the settings dialog's pin
// button.
#pragma once

#include "dialogs/ModalForm.h"

#include <QWidget>

#include <functional>
#include <vector>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class TEditGrid;
class TIOPort;
class TPin;

class TPinEdit : public QWidget {
    Q_OBJECT
public:
    explicit TPinEdit(QWidget* parent = nullptr);

    QListWidget* PortListBox;
    TEditGrid* PinGrid;        // short name, description (editable)
    QGroupBox* PinGroupBox;    // the shown channel
    QPushButton* KonfigBtn;
    QLabel* InfoLabel;         // range and direction of a configurable channel

    // When set, the configure button calls it instead of the built-in range
    // and direction dialogs. Both are cleared when the device's settings
    // dialog ends.
    std::function<void(TPinEdit* Sender)> OnConfigure;
    // After a channel was shown or configured.
    std::function<void(TPinEdit* Sender)> OnChange;

    // Not owned: the ports of the device whose settings are open.
    const std::vector<TIOPort*>& Portliste() const { return ports_; }
    // Lists the ports' names and shows the first port.
    void SetPortliste(std::vector<TIOPort*> ports);
    // The channel's box, button and label, or none of them for nullptr.
    void ShowPin(TPin* channel);
    // Every description of the shown port from the grid.
    void StoreDescriptions();
    // The descriptions stored, then the port at index (none outside the list).
    void ShowPort(Integer index);

    Integer ShownPort() const { return shownPort_; }
    TPin* ShownPin() const { return shownPin_; }
    Integer EditedRow() const { return editedRow_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TIOPort* Port() const;
    void GridRowChanged(Integer row);
    void KonfigBtnClick();
    void ConfigureDirection(TPin& channel);
    void ConfigureRange(TPin& channel);

    std::vector<TIOPort*> ports_;
    Integer shownPort_ = -1;
    Integer editedRow_ = -1;
    TPin* shownPin_ = nullptr;
    bool filling_ = false;   // the grid's own changes while a port is shown
};

class TPinPortDlg : public TModalForm {
    Q_OBJECT
public:
    explicit TPinPortDlg(QWidget* parent = nullptr);

    TPinEdit* PinEdit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // Stores the descriptions whatever closed the form.
    void done(int result) override;

protected:
    // Each showing starts at the first port.
    void BeforeShow() override;
};

// The program's one pins-and-ports form, created on first use and kept for
// the program's life.
TPinPortDlg& PinPortDlg();

// Lets the settings dialog's pin button show PinPortDlg and the end of a
// device's settings dialog clear the editor's device handlers and ports.
void InstallPinPortDialogLink();
