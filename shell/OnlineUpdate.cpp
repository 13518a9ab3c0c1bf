#include "shell/OnlineUpdate.h"

#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/SafeSave.h"
#include "shell/MainForm.h"
#include "shell/UpdateFtp.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

std::function<void(const QString&)> TIUpdater::OpenFile = [](const QString& file) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
};

std::function<void(Integer)> TIUpdater::Quit = [](Integer exitCode) {
    // Posted: the handlers on the stack return before every loop ends.
    QMetaObject::invokeMethod(qApp, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
};

AnsiString UpdateServerAddress(TCustomIniFile& settings)
{
    AnsiString address = settings.ReadString("OPTIONS", "UpdateServer", DefaultUpdateServer);
    return address.empty() ? AnsiString(DefaultUpdateServer) : address;
}

// ---- The listing -----------------------------------------------------------

namespace {

// Lines end with CR, LF or both.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<int> TwoDigits(std::string_view line, std::size_t at)
{
    if (at + 2 > line.size() || !IsDigit(line[at]) || !IsDigit(line[at + 1]))
        return std::nullopt;
    return (line[at] - '0') * 10 + (line[at + 1] - '0');
}

// Blanks and the control characters before them, as the size is trimmed.
std::string_view TrimControls(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

// A size of up to 18 digits (it fits Int64), nothing else.
std::optional<Int64> SizeNumber(std::string_view text)
{
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    Int64 value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}   // namespace

std::optional<TUpdateListingEntry> FindUpdateInListing(std::string_view listing, std::string_view fileName)
{
    const AnsiString name = AnsiLowerCase(fileName);
    for (std::string_view line : SplitLines(listing)) {
        const std::size_t at = AnsiLowerCase(line).find(name);
        if (at == std::string::npos)
            continue;
        // The first line that names the file decides, whatever it holds.
        const auto month = TwoDigits(line, 0);
        const auto day = TwoDigits(line, 3);
        const auto year = TwoDigits(line, 6);
        if (!month || !day || !year)
            return std::nullopt;
        const QDate date(2000 + *year, *month, *day);
        // The size stands from the 25th character up to the name.
        constexpr std::size_t SizeColumn = 24;
        if (!date.isValid() || at <= SizeColumn)
            return std::nullopt;
        const auto size = SizeNumber(TrimControls(line.substr(SizeColumn, at - SizeColumn)));
        if (!size)
            return std::nullopt;
        return TUpdateListingEntry{date, *size};
    }
    return std::nullopt;
}

// ---- The dialog ------------------------------------------------------------

namespace {

constexpr int FormWidth = 420;
constexpr int Margin = 8;
constexpr int InnerWidth = FormWidth - 2 * Margin;
constexpr TColor PanelColour = clBlack;
constexpr TColor CaptionColour = clWhite;
constexpr TColor ValueColour = 0x00FFFF;   // yellow

void SetTextColour(QWidget& widget, TColor colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, ColorToQColor(colour));
    widget.setPalette(palette);
}

QLabel* InfoLabel(QWidget* parent, const char* name, int x, int y, int w, TColor colour)
{
    auto* label = Place(new QLabel(parent), name, x, y, w, 17);
    SetTextColour(*label, colour);
    return label;
}

// Dates follow the program's language, not the system's locale, which may
// name the month in another language.
QString ShortDate(const QDate& date)
{
    const QLocale locale = ByLanguage(QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::English, QLocale::UnitedKingdom),
                                      QLocale(QLocale::French, QLocale::France));
    return locale.toString(date, QLocale::ShortFormat);
}

// size / 1024, rounded half to even.
Int64 Kilobytes(Int64 size)
{
    Int64 kilobytes = size / 1024;
    const Int64 rest = size % 1024;
    if (rest > 512 || (rest == 512 && kilobytes % 2 != 0))
        ++kilobytes;
    return kilobytes;
}

}   // namespace

TIUpdater::TIUpdater(QWidget* parent) : TModalForm(parent), ftp_(std::make_unique<TUpdateFtp>())
{
    setObjectName("IUpdater");
    setWindowTitle(QStringLiteral("Internet Update"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Panel1 = Place(new QWidget(this), "Panel1", Margin, Margin, InnerWidth, 96);
    Panel1->setAutoFillBackground(true);
    QPalette black = Panel1->palette();
    black.setColor(QPalette::Window, ColorToQColor(PanelColour));
    Panel1->setPalette(black);
    // The values' column is placed once the captions have their language.
    Label1 = InfoLabel(Panel1, "Label1", 10, 8, 0, CaptionColour);
    Label2 = InfoLabel(Panel1, "Label2", 10, 27, 0, CaptionColour);
    Label3 = InfoLabel(Panel1, "Label3", 10, 46, 0, CaptionColour);
    L_PrgDatum = InfoLabel(Panel1, "L_PrgDatum", 0, 8, 0, ValueColour);
    L_UpdateDatum = InfoLabel(Panel1, "L_UpdateDatum", 0, 27, 0, ValueColour);
    L_UpdateSize = InfoLabel(Panel1, "L_UpdateSize", 0, 46, 0, ValueColour);
    L_Status = InfoLabel(Panel1, "L_Status", 10, 70, InnerWidth - 20, UpToDateColour);
    L_Status->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    QFont bold = L_Status->font();
    bold.setBold(true);
    L_Status->setFont(bold);
    for (QLabel* value : {L_PrgDatum, L_UpdateDatum, L_UpdateSize})
        value->setText(QStringLiteral("???"));

    constexpr int SearchY = 114;
    SH_Control = Place(new QFrame(this), "SH_Control", Margin - 3, SearchY - 3, InnerWidth + 6, 33);
    SH_Control->setFrameShape(QFrame::Box);
    SH_Control->setLineWidth(2);
    SetTextColour(*SH_Control, clRed);
    SH_Control->hide();
    B_SucheUpdates = Place(new QPushButton(this), "B_SucheUpdates", Margin, SearchY, InnerWidth, 27);
    ProgressBar = Place(new QProgressBar(this), "ProgressBar", Margin, SearchY + 36, InnerWidth, 16);
    ProgressBar->setTextVisible(false);
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    constexpr int HalfWidth = (InnerWidth - 6) / 2;
    B_Download = Place(new QPushButton(this), "B_Download", Margin, SearchY + 60, HalfWidth, 27);
    B_DownloadAbbruch =
        Place(new QPushButton(this), "B_DownloadAbbruch", FormWidth - Margin - HalfWidth, SearchY + 60, HalfWidth, 27);
    B_Download->setEnabled(false);
    B_DownloadAbbruch->setEnabled(false);
    cb_Auto = Place(new QCheckBox(this), "cb_Auto", Margin, SearchY + 102, 280, 20);
    cb_Auto->hide();
    B_Beenden = Place(new QPushButton(this), "B_Beenden", FormWidth - Margin - 110, SearchY + 99, 110, 27);
    for (QPushButton* button : {B_SucheUpdates, B_Download, B_DownloadAbbruch, B_Beenden})
        button->setAutoDefault(false);
    setFixedSize(FormWidth, SearchY + 134);

    connect(B_SucheUpdates, &QPushButton::clicked, this, [this] { B_SucheUpdatesClick(); });
    connect(B_Download, &QPushButton::clicked, this, [this] { B_DownloadClick(); });
    connect(B_DownloadAbbruch, &QPushButton::clicked, this, [this] { B_DownloadAbbruchClick(); });
    SetModalResult(B_Beenden, mrCancel);
    connect(ftp_.get(), &TUpdateFtp::Work, this, &TIUpdater::FTPWork);

    TranslateCaptions();
    TemporaryFolder = QDir::tempPath();
    SetProgramDate(QFileInfo(QCoreApplication::applicationFilePath()).lastModified());
}

TIUpdater::~TIUpdater() = default;

void TIUpdater::TranslateCaptions()
{
    auto text = [](const char* german, const char* english, const char* french) {
        return QString::fromUtf8(ByLanguage(german, english, french));
    };
    if (LanguageChoice() == 2)
        setWindowTitle(QStringLiteral("Mise à jour Internet"));
    Label1->setText(text("Aktuelle Programmversion vom:", "Current version from:", "Version courante du:"));
    Label2->setText(text("Verfügbares Update vom:", "Available update from:", "Version disponible:"));
    Label3->setText(text("Dateigrösse:", "Filesize:", "Taille du fichier:"));
    B_SucheUpdates->setText(
        text("&Suche nach verfügbarem Update...", "&Search for update...", "&Recherche d´une mise à jour..."));
    B_Download->setText(text("&Update starten...", "Start &update...", "&Début de la mise à jour..."));
    B_DownloadAbbruch->setText(text("&Abbrechen", "C&ancel", "&Annuler"));
    B_Beenden->setText(text("&Beenden", "&Close", "&Fermer"));
    cb_Auto->setText(text("Au&tomatisch benachrichtigen", "Au&tomatic notification", "&Information automatique"));

    // The values stand 12 pixels right of the longest caption.
    int captions = 0;
    for (QLabel* caption : {Label1, Label2, Label3})
        captions = std::max(captions, caption->fontMetrics().horizontalAdvance(caption->text()));
    const int valueX = std::max(150, 10 + captions + 12);
    for (QLabel* caption : {Label1, Label2, Label3})
        caption->resize(valueX - 10, caption->height());
    for (QLabel* value : {L_PrgDatum, L_UpdateDatum, L_UpdateSize})
        value->setGeometry(valueX, value->y(), InnerWidth - valueX - 10, value->height());
}

void TIUpdater::SetProgramDate(const QDateTime& date)
{
    ProgramDate = date;
    L_PrgDatum->setText(ShortDate(date.date()));
}

QString TIUpdater::DownloadTarget() const
{
    return QDir(TemporaryFolder).filePath(AnsiToQString(UpdateFileName));
}

bool TIUpdater::Connect()
{
    ftp_->Server = ServerAddress;
    ftp_->Folder = UpdateFolder;
    ftp_->UserName = UpdateUserName;
    ftp_->Password = UpdatePassword;
    const TFtpResult result = ftp_->Connect();
    if (result.Ok)
        return true;
    if (!result.Cancelled && !Silent)
        MessageBox(ByLanguage("Es kann keine Verbindung zum Server aufgebaut werden.", "Can´t connect to the server."_ansi,
                              "Can´t connect to the server."_ansi),
                   "Update", MB_OK | MB_ICONERROR);
    return false;
}

bool TIUpdater::QueryUpdate()
{
    if (!ftp_->Connected() && !Connect())
        return false;
    // A listing that fails is an empty one.
    std::string listing;
    ftp_->List(listing);
    const auto entry = FindUpdateInListing(listing, UpdateFileName);
    if (!entry)
        return false;
    UpdateDate = entry->Date;
    UpdateSize = entry->Size;
    return true;
}

bool TIUpdater::UpdateAvailable()
{
    return QueryUpdate() && QDateTime(UpdateDate, QTime(0, 0)) > ProgramDate;
}

void TIUpdater::ShowStatus(const char* text, TColor colour)
{
    StatusColour = colour;
    L_Status->setText(QString::fromUtf8(text));
    SetTextColour(*L_Status, colour);
}

void TIUpdater::B_SucheUpdatesClick()
{
    const bool control = controlHeld_ || (QGuiApplication::keyboardModifiers() & Qt::ControlModifier);
    ftp_->Passive = !control;
    B_SucheUpdates->setEnabled(false);
    B_Download->setEnabled(false);
    const bool found = QueryUpdate();
    if (found) {
        L_UpdateDatum->setText(ShortDate(UpdateDate));
        L_UpdateSize->setText(QString::number(Kilobytes(UpdateSize)) + QStringLiteral(" kB"));
    } else {
        L_UpdateDatum->setText(QStringLiteral("???"));
        L_UpdateSize->setText(QStringLiteral("???"));
    }
    B_Download->setEnabled(found);
    B_SucheUpdates->setEnabled(true);
    if (!found)
        ShowStatus(ByLanguage("- kein Update verfügbar-", "- no update available -", "- no update available -"),
                   UpToDateColour);
    else if (QDateTime(UpdateDate, QTime(0, 0)) > ProgramDate)
        ShowStatus(ByLanguage("Aktualisierung empfohlen!", "Update recommended!", "Mise à jour recommandé!"),
                   UpdateRecommendedColour);
    else
        ShowStatus(ByLanguage("+++ aktuell +++", "+++ up-to-date +++", "+++ à jour +++"), UpToDateColour);
    FinishPendingClose();
}

void TIUpdater::B_DownloadClick()
{
    const QString target = DownloadTarget();
    DownloadCancelled = false;
    B_SucheUpdates->setEnabled(false);
    B_Download->setEnabled(false);
    B_Beenden->setEnabled(false);
    B_DownloadAbbruch->setEnabled(true);
    bool complete = false;
    if (ftp_->Connected() || Connect()) {
        // The bar counts in units that keep the size within its range; an
        // empty range would turn it into a busy indicator.
        progressScale_ = UpdateSize / INT_MAX + 1;
        ProgressBar->setRange(0, std::max(1, static_cast<int>(UpdateSize / progressScale_)));
        ProgressBar->setValue(0);
        complete = DownloadTo(target);
    }
    if (complete && !DownloadCancelled && pendingResult_ == mrNone) {
        const Integer answer =
            MessageBox(ByLanguage("Programm beenden und Update starten?", "Exit program and start update?",
                                  "Voulez-vous quitter le programme pour effectuer la mise à jour ?"_ansi),
                       ByLanguage("Update", "Update", "Mise à jour"_ansi), MB_OKCANCEL | MB_ICONQUESTION);
        if (answer == IDOK)
            StartUpdate(target);
    }
    DownloadCancelled = false;
    B_SucheUpdates->setEnabled(true);
    B_Download->setEnabled(true);
    B_Beenden->setEnabled(true);
    B_DownloadAbbruch->setEnabled(false);
    FinishPendingClose();
}

bool TIUpdater::DownloadTo(const QString& target)
{
    const QByteArray targetName = QFile::encodeName(target);
    const QByteArray temporary = TemporaryNameBeside(targetName);
    QFile file(QFile::decodeName(temporary));
    // A file of its own: a name placed beforehand in the shared temporary
    // folder (a link, say) is refused, never followed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        MessageBox(QStringToAnsi(file.fileName() + QStringLiteral(": ") + file.errorString()), "Update",
                   MB_OK | MB_ICONERROR);
        return false;
    }
    const TFtpResult result = ftp_->Download(UpdateFileName, file);
    const bool flushed = file.flush();
    const Int64 received = file.size();
    file.close();
    AnsiString error = result.Error;
    bool complete = result.Ok && !DownloadCancelled && flushed && file.error() == QFileDevice::NoError;
    if (result.Ok && complete && received != UpdateSize) {
        // The server ended the transfer early, as if it were complete.
        complete = false;
        error = "Transferred a partial file";
    } else if (result.Ok && !flushed) {
        error = QStringToAnsi(file.errorString());
    }
    if (complete && !RenameOverTarget(temporary, targetName)) {
        complete = false;
        error = std::strerror(errno);
    }
    if (complete)
        return true;
    QFile::remove(QFile::decodeName(temporary));
    if (!DownloadCancelled && !result.Cancelled)
        MessageBox(error, "Update", MB_OK | MB_ICONERROR);
    return false;
}

void TIUpdater::StartUpdate(const QString& target)
{
    // A user who keeps the program open at its save prompt keeps it running:
    // the update would end it without saving.
    if (CloseProgram && !CloseProgram())
        return;
    if (OpenFile)
        OpenFile(target);
    if (Quit)
        Quit(UpdateExitCode);
}

void TIUpdater::B_DownloadAbbruchClick()
{
    ftp_->Cancel();
    ProgressBar->setValue(0);
    DownloadCancelled = true;
}

void TIUpdater::FTPWork(qint64 bytes)
{
    if (DownloadCancelled)
        return;
    ProgressBar->setValue(static_cast<int>(std::min<Int64>(bytes, UpdateSize) / progressScale_));
}

void TIUpdater::SetControlHeld(bool held)
{
    controlHeld_ = held;
    SH_Control->setVisible(held);
}

void TIUpdater::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Control)
        SetControlHeld(true);
    TModalForm::keyPressEvent(event);
}

void TIUpdater::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Control)
        SetControlHeld(false);
    TModalForm::keyReleaseEvent(event);
}

void TIUpdater::changeEvent(QEvent* event)
{
    // A Ctrl let go in another window is never seen here.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && controlHeld_)
        SetControlHeld(false);
    TModalForm::changeEvent(event);
}

void TIUpdater::done(int result)
{
    if (ftp_->Busy()) {
        pendingResult_ = result;
        ftp_->Cancel();
        return;
    }
    ftp_->Disconnect();
    TModalForm::done(result);
}

void TIUpdater::FinishPendingClose()
{
    if (pendingResult_ == mrNone)
        return;
    const Integer result = pendingResult_;
    pendingResult_ = mrNone;
    done(result);
}

// ---- The callers -----------------------------------------------------------

namespace {

void PrepareUpdater(TIUpdater& dialog, TForm1& form)
{
    dialog.UpdateFileName = UpdateFileOfThisBuild;
    if (form.SettingsIni)
        dialog.ServerAddress = UpdateServerAddress(*form.SettingsIni);
    dialog.cb_Auto->setVisible(true);
    dialog.cb_Auto->setChecked(form.Settings.UpdateInfo);
    dialog.CloseProgram = [&form, &dialog] {
        // The close writes the settings: the box's state goes with them.
        form.Settings.UpdateInfo = dialog.cb_Auto->isChecked();
        form.close();
        return form.Closed();
    };
    // Centred on the screen.
    if (const QScreen* screen = form.screen()) {
        const QRect area = screen->availableGeometry();
        dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
    }
}

}   // namespace

void ShowOnlineUpdate(TForm1& form)
{
    if (RunOnlyMode)
        return;
    TIUpdater dialog(&form);
    PrepareUpdater(dialog, form);
    dialog.ShowModal();
    form.Settings.UpdateInfo = dialog.cb_Auto->isChecked();
}

void AutoUpdateCheck(TForm1& form)
{
    if (RunOnlyMode)
        return;
    TIUpdater dialog(&form);
    PrepareUpdater(dialog, form);
    dialog.Silent = true;
    if (!dialog.UpdateAvailable())
        return;
    dialog.B_SucheUpdatesClick();
    dialog.Silent = false;
    dialog.ShowModal();
    form.Settings.UpdateInfo = dialog.cb_Auto->isChecked();
}
