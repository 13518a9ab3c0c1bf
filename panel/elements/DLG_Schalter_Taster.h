// The settings dialog of the switch and push-button element: the four looks
// with a preview that blinks between off and on once a second, the hint
// text, the default state and the element's ten hotkeys. It works on copies;
// the element takes them back only when the dialog ends with OK.
#pragma once

#include "dialogs/DLG_Frame.h"
#include "dialogs/ModalForm.h"
#include "platform/Canvas.h"

#include <QImage>

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolButton;
class THotkey;
class TGradBtn;
class TIAgaloLED;
class TSchalter;
class TUCLFontComboBox;
class TUCLFontSizeComboBox;
class TUCLSpinEdit;

class TSchalterDlg : public TModalForm {
    Q_OBJECT
public:
    static constexpr Integer HelpContext = 17900;
    static constexpr int BlinkMilliseconds = 1000;
    // The preview lamp's size.
    static constexpr int LampWidth = 95, LampHeight = 61;

    using TShape = TPanelDlg::TShape;

    explicit TSchalterDlg(QWidget* parent = nullptr);
    ~TSchalterDlg() override;

    // Copies the element's settings into the controls.
    void FillFrom(TSchalter& element);
    // Hands the settings to the element (the element calls it on OK only).
    void ApplyTo(TSchalter& element) const;

    // ---- Controls
    QGroupBox* GroupBox1;
    QComboBox* TypCombo;          // the look 0..3
    QGroupBox* DefaultBox;
    QRadioButton* RB_DefOn;
    QRadioButton* RB_DefOff;

    QGroupBox* GB_Bitmap;         // look 0
    QListWidget* Typ;
    QListWidget* Farbe;
    QWidget* VorschauPanel;
    QLabel* Image1;
    QToolButton* BitBtn1;         // a quarter turn counter-clockwise
    QToolButton* BitBtn2;         // a quarter turn clockwise

    QGroupBox* GB_Button;         // look 1
    QGroupBox* GroupBox3;
    QLineEdit* Text;
    TUCLFontComboBox* cbFontName;
    TUCLFontSizeComboBox* cbFontSize;
    QToolButton* BoldBtn;
    QToolButton* ItalicBtn;
    QToolButton* UnderlineBtn;
    QToolButton* StrikeoutBtn;
    QComboBox* cbFontFX;
    TShape* FontColShape;
    QGroupBox* GroupBox2;
    TShape* VonColShape;
    QComboBox* cbVerlauf;
    TShape* bisColShape;
    QGroupBox* GroupBox5;
    TGradBtn* GradBtn1;

    QGroupBox* GB_Btmap3;         // look 2
    QPushButton* BitBtn3;         // load the off picture
    QPushButton* BitBtn4;         // load the on picture
    QWidget* Panel1;
    QLabel* Image2;
    QToolButton* BitBtn5;         // both pictures a quarter turn counter-clockwise
    QToolButton* BitBtn6;         // ... clockwise
    QCheckBox* cb_Transparent;

    QGroupBox* GB_Plastik;        // look 3
    QGroupBox* GroupBox7;
    TShape* PlastikColShape;
    QComboBox* CB_Form;
    QComboBox* cbWinkel;
    TUCLSpinEdit* SE_Rand;
    QGroupBox* GroupBox8;
    TIAgaloLED* Lampe;

    QGroupBox* GB_Hint;
    QLineEdit* HintEdit;
    QCheckBox* cb_Editierbar;     // hidden: carries the run-time flag through
    QPushButton* HotBtn;
    QPushButton* Button1;         // OK
    QPushButton* Button2;         // Cancel
    QTimer* VorschauTimer;

    // ---- Working state
    bool PreviewState = false;    // what the previews show: on or off
    QImage PreviewPicture;        // the switch picture as turned
    QImage UserOnPicture, UserOffPicture;
    Byte Turn = 0;                // quarter turns clockwise, 0..3
    TFont PreviewFont;            // the button caption's font
    std::vector<std::unique_ptr<THotkey>>* Hotkeys = nullptr;   // the element's, not owned
    std::vector<AnsiString> HotkeyActions;

    Integer Look() const;
    // Whether the element being edited is a push button.
    bool IsPushButton() const { return pushButton_; }

    // ---- Handlers (public so tests drive them as a click would)
    void TypComboChange();
    void ShowPicturePreview();
    void ShowUserPreview();
    void BitBtn1Click();
    void BitBtn2Click();
    void VorschauTimerTimer();
    // tag 0: the off picture, 1: the on picture. Asks for the file.
    void LoadUserPicture(int tag);
    // The same for a named file: false (and a message) when it cannot be used.
    bool LoadUserPictureFile(int tag, const AnsiString& fileName);
    void TurnUserPictures(bool clockwise);
    void UpdateGradBtn();
    void FontNameChanged();
    void FontSizeChanged();
    void UpdateLamp();
    // The lamp controls from the preview lamp.
    void LampControlsFromLamp();
    void HotBtnClick();

protected:
    void BeforeShow() override;
    bool event(QEvent* event) override;

private:
    void FontControlsFromPreview();
    void PlaceLamp();
    void ChooseShapeColor(TShape* shape);
    bool pushButton_ = false;
    bool filling_ = false;
};
