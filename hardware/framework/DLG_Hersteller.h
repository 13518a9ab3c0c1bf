// The maker's links of a device class: three web addresses kept per class in
// the links file, shown in a browser and edited in place.
#pragma once

#include "dialogs/ModalForm.h"

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class TCustomIniFile;
class TIOInterface;
class TWebBrowser;

class THerstellerDlg : public TModalForm {
    Q_OBJECT
public:
    explicit THerstellerDlg(QWidget* parent = nullptr);

    TWebBrowser* WebBrowser1;   // nullptr when the program has no browser
    QGroupBox* GroupBox1;
    QLineEdit* LinkEdit1;
    QLineEdit* LinkEdit2;
    QLineEdit* LinkEdit3;
    QPushButton* LinkBtn1;
    QPushButton* LinkBtn2;
    QPushButton* LinkBtn3;

    std::array<QLineEdit*, 3> LinkEdits() const { return {LinkEdit1, LinkEdit2, LinkEdit3}; }
    // The browser shows the address; without a browser the desktop opens it.
    void Navigate(const AnsiString& url);

    // However it is closed, the dialog answers OK.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
};

// The main window's open "Settings/HardwareLinks.ini", or nullptr while none is open.
TCustomIniFile* HardwareLinksIni();
void SetHardwareLinksIni(TCustomIniFile* ini);

// The links dialog of the device's class (the section named after the class,
// keys "Link1" .. "Link3"); the edits are written back when it closes.
void ShowMakerLinks(TIOInterface& device);
