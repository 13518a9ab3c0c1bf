// The about box and the start-up picture: one small form showing the
// program's title picture, the maker's address and web link.
#pragma once

#include "dialogs/ModalForm.h"
#include "platform/Colors.h"
#include "platform/SysTypes.h"

#include <QPixmap>

#include <functional>

class QLabel;
class QPushButton;

// The program's version as the about box shows it.
inline constexpr const char* ProgramVersionText = "Version 4.0";
// The web pages behind the link: German, and English for everyone else.
inline constexpr const char* HomepageGerman = "https://www.zentrika.example/de/";
inline constexpr const char* HomepageEnglish = "https://www.zentrika.example/en/";

class TInfoDlg : public TModalForm {
    Q_OBJECT
public:
    explicit TInfoDlg(QWidget* parent = nullptr);

    QLabel* Titel = nullptr;
    QLabel* L_Adresse = nullptr;
    QLabel* WebLabel = nullptr;
    QPushButton* OKBtn = nullptr;
    bool SplashMode = false;
    TColor FrameColour = 0xFFFFFF;

    // Without border, as tall as the picture and see-through around it.
    void ShowAsStartupPicture();
    // A file that is missing or unreadable leaves the picture empty.
    void LoadPicture(const QString& fileName);
    void SB_HomepageClick();
    void WebLabelMouseEnter();
    void WebLabelMouseExit();

    // Opens a web page (the browser through the desktop; tests replace it).
    static std::function<void(const QString& address)> OpenPage;

protected:
    void BeforeShow() override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    bool shownOnce_ = false;
};

// The title picture for the about box: the file of that name in the program
// folder (any letter case) when there is one, else the program's own.
QString TitlePictureFile(const char* fileName);

class TForm1;
// The about box with the picture "titel.bmp", shown modally and freed.
void ShowAboutBox(TForm1& form);
// The start-up picture with "TITEL.BMP", shown and painted at once; it
// closes when the main window first shows (CloseStartupPicture).
void ShowStartupPicture(TForm1& form);
void CloseStartupPicture(TForm1& form);
