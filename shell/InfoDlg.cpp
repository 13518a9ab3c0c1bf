#include "shell/InfoDlg.h"

#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Paths.h"
#include "shell/MainForm.h"

#include <QApplication>

#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

std::function<void(const QString&)> TInfoDlg::OpenPage = [](const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
};

namespace {

constexpr int FormWidth = 288;
constexpr int AboutShift = 119;
constexpr TColor SeeThroughColour = 4562043;   // 0x459C7B

}   // namespace

TInfoDlg::TInfoDlg(QWidget* parent) : TModalForm(parent)
{
    setObjectName("InfoDlg");
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Titel = Place(new QLabel(this), "Titel", 14, 10, 260, 140);
    Titel->setScaledContents(false);
    L_Adresse = new QLabel(this);
    L_Adresse->setObjectName("L_Adresse");
    L_Adresse->setAlignment(Qt::AlignHCenter);
    L_Adresse->setText(QStringLiteral("Zentrika\n%1\n\nZentrika Messtechnik\nAm Prüffeld 7\n12345 Musterstadt\n")
                           .arg(QString::fromLatin1(ProgramVersionText)) +
                       QString::fromUtf8(ByLanguage("Telefon", "Phone", "Téléphone")) +
                       QStringLiteral(" +49 1234 56789-0\ninfo@zentrika.example"));
    L_Adresse->adjustSize();
    L_Adresse->move(0, 280);
    WebLabel = new QLabel(this);
    WebLabel->setObjectName("WebLabel");
    WebLabel->setText(QStringLiteral("www.zentrika.example"));
    QFont web(QStringLiteral("Tahoma"));
    web.setPixelSize(13);
    WebLabel->setFont(web);
    QPalette navy = WebLabel->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    WebLabel->setPalette(navy);
    WebLabel->setCursor(Qt::PointingHandCursor);
    WebLabel->adjustSize();
    WebLabel->installEventFilter(this);
    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    OKBtn->resize(75, 25);
    SetModalResult(OKBtn, mrOk);

    // Labels centred; the link 10 below the address, the button 34 below the link.
    L_Adresse->move((FormWidth - L_Adresse->width()) / 2, L_Adresse->y());
    WebLabel->move((FormWidth - WebLabel->width()) / 2, L_Adresse->y() + L_Adresse->height() + 10);
    OKBtn->move((FormWidth - OKBtn->width()) / 2, WebLabel->y() + 34);
    setFixedSize(FormWidth, OKBtn->y() + 65);
}

void TInfoDlg::ShowAsStartupPicture()
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    // From the designed picture, before any picture is loaded.
    setFixedSize(FormWidth, Titel->y() + Titel->height() + 1);
    QPalette colour = palette();
    colour.setColor(QPalette::Window, ColorToQColor(SeeThroughColour));
    setPalette(colour);
    // Everything outside the picture is see-through.
    setAttribute(Qt::WA_TranslucentBackground);
    SplashMode = true;
}

void TInfoDlg::LoadPicture(const QString& fileName)
{
    QPixmap picture;
    if (!fileName.isEmpty() && (fileName.startsWith(':') || QFileInfo::exists(fileName)))
        picture.load(fileName);
    Titel->setPixmap(picture);
    if (!picture.isNull())
        Titel->resize(picture.size());
}

void TInfoDlg::BeforeShow()
{
    FormShow();
}

void TInfoDlg::FormShow()
{
    if (SplashMode || shownOnce_)
        return;
    shownOnce_ = true;
    for (QWidget* control : {static_cast<QWidget*>(L_Adresse), static_cast<QWidget*>(WebLabel), static_cast<QWidget*>(OKBtn)})
        control->move(control->x(), control->y() - AboutShift);
    setFixedSize(width(), height() - AboutShift);
}

void TInfoDlg::paintEvent(QPaintEvent* event)
{
    TModalForm::paintEvent(event);
    if (!SplashMode)
        return;
    // A one-pixel frame around the picture, so even a missing one shows where it belongs.
    QPainter painter(this);
    painter.setPen(QPen(ColorToQColor(FrameColour), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(Titel->geometry().adjusted(0, 0, -1, -1));
}

bool TInfoDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == WebLabel) {
        if (event->type() == QEvent::Enter)
            WebLabelMouseEnter();
        else if (event->type() == QEvent::Leave)
            WebLabelMouseExit();
        else if (event->type() == QEvent::MouseButtonRelease)
            SB_HomepageClick();
    }
    return TModalForm::eventFilter(watched, event);
}

void TInfoDlg::SB_HomepageClick()
{
    const char* page = LanguageIndex == 0 ? HomepageGerman : (LanguageIndex == 1 || LanguageIndex == 2) ? HomepageEnglish : nullptr;
    if (page && OpenPage)
        OpenPage(QString::fromLatin1(page));
}

void TInfoDlg::WebLabelMouseEnter()
{
    QFont font = WebLabel->font();
    font.setUnderline(true);
    WebLabel->setFont(font);
    WebLabel->update();
}

void TInfoDlg::WebLabelMouseExit()
{
    QFont font = WebLabel->font();
    font.setUnderline(false);
    WebLabel->setFont(font);
    WebLabel->update();
}

QString TitlePictureFile(const char* fileName)
{
    const QDir folder(AnsiToQString(ProgramFolder()));
    for (const QString& name : folder.entryList(QDir::Files))
        if (name.compare(QString::fromLatin1(fileName), Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    return QStringLiteral(":/pictures/about/titel.svg");
}

void ShowAboutBox(TForm1& form)
{
    TInfoDlg dialog(&form);
    dialog.LoadPicture(TitlePictureFile("titel.bmp"));
    dialog.ShowModal();
}

void ShowStartupPicture(TForm1& form)
{
    auto* picture = new TInfoDlg(&form);
    picture->setObjectName("StartupPicture");
    picture->ShowAsStartupPicture();
    picture->LoadPicture(TitlePictureFile("TITEL.BMP"));
    picture->show();
    picture->repaint();
}

void CloseStartupPicture(TForm1& form)
{
    if (auto* picture = form.findChild<TInfoDlg*>("StartupPicture", Qt::FindDirectChildrenOnly)) {
        picture->close();
        delete picture;
    }
}
