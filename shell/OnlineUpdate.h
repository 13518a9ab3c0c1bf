// The online update: the dialog that compares the program file's date with
// the date of the update file in the "UPDATE" folder of the update server,
// downloads the update into the temporary folder and, on confirmation, ends
// the program and opens the downloaded file (the update's installer
// package); the menu command and the start-up check that open it.
#pragma once

#include "dialogs/ModalForm.h"
#include "platform/Colors.h"
#include "platform/SysTypes.h"

#include <QDate>
#include <QDateTime>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

class QCheckBox;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class TCustomIniFile;
class TForm1;
class TUpdateFtp;

// The update server unless the settings name another (OPTIONS/UpdateServer
// of the main settings file).
inline constexpr const char* DefaultUpdateServer = "ftp://update.zentrika.example/";
// The file this build looks for on the server and opens once downloaded.
inline constexpr const char* UpdateFileOfThisBuild = "zentrika40-update.deb";
// The server's folder and the login of the update server.
inline constexpr const char* UpdateFolder = "UPDATE";
inline constexpr const char* UpdateUserName = "Rozereda-Zedezo";
inline constexpr const char* UpdatePassword = "KORVAL58";
// The exit code of a program that ends for its update.
inline constexpr Integer UpdateExitCode = 18;

// The status line's colours: an update is recommended; none, or up to date.
inline constexpr TColor UpdateRecommendedColour = 8421631;   // 0x8080FF
inline constexpr TColor UpToDateColour = 11796403;           // 0xB3FFB3

AnsiString UpdateServerAddress(TCustomIniFile& settings);

struct TUpdateListingEntry {
    QDate Date;
    Int64 Size = 0;
};

// The entry of fileName in a server's detailed listing (lines in the form
// "09-15-15  10:30AM              1234567 name"): the first line that holds
// the name, in either letter case, gives the date from its first eight
// characters (month-day-year, the years from 2000) and the size from the
// number between its 25th character and the name. Nothing when no line holds
// the name, or when the first that does has no valid date or size there.
std::optional<TUpdateListingEntry> FindUpdateInListing(std::string_view listing, std::string_view fileName);

class TIUpdater : public TModalForm {
    Q_OBJECT
public:
    explicit TIUpdater(QWidget* parent = nullptr);
    ~TIUpdater() override;

    QWidget* Panel1 = nullptr;       // the black information panel
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* L_PrgDatum = nullptr;
    QLabel* L_UpdateDatum = nullptr;
    QLabel* L_UpdateSize = nullptr;
    QLabel* L_Status = nullptr;
    QPushButton* B_SucheUpdates = nullptr;
    QPushButton* B_Download = nullptr;
    QPushButton* B_DownloadAbbruch = nullptr;
    QPushButton* B_Beenden = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QCheckBox* cb_Auto = nullptr;
    QFrame* SH_Control = nullptr;    // the red frame: the next search uses active mode

    AnsiString UpdateFileName;
    AnsiString ServerAddress = DefaultUpdateServer;
    // Where the update is downloaded to: the system's temporary folder.
    QString TemporaryFolder;
    QDateTime ProgramDate;
    QDate UpdateDate;
    Int64 UpdateSize = 0;
    bool DownloadCancelled = false;
    TColor StatusColour = clBlack;
    // The start-up check: a server that cannot be reached is not reported.
    bool Silent = false;
    // Closes the program's main window (its save prompt included); true when
    // it closed. Without it the program counts as closed.
    std::function<bool()> CloseProgram;

    // The program's date from now on (the executable's file date at first).
    void SetProgramDate(const QDateTime& date);
    bool Connect();
    bool QueryUpdate();
    bool UpdateAvailable();
    void B_SucheUpdatesClick();
    void B_DownloadClick();
    void B_DownloadAbbruchClick();
    void FTPWork(qint64 bytes);
    // The downloaded update's place.
    QString DownloadTarget() const;
    TUpdateFtp& FTP() { return *ftp_; }

    // How the downloaded file is opened (through the desktop) and the program
    // ended with its exit code; tests replace them.
    static std::function<void(const QString& file)> OpenFile;
    static std::function<void(Integer exitCode)> Quit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

public:
    // A close while the server is busy ends the request first; the dialog
    // closes when it has returned.
    void done(int result) override;

private:
    void TranslateCaptions();
    void ShowStatus(const char* text, TColor colour);
    void SetControlHeld(bool held);
    // Downloads into a temporary file beside target and renames it to target
    // once the whole file has come; true then.
    bool DownloadTo(const QString& target);
    void StartUpdate(const QString& target);
    void FinishPendingClose();

    std::unique_ptr<TUpdateFtp> ftp_;
    bool controlHeld_ = false;
    Integer pendingResult_ = mrNone;
    Int64 progressScale_ = 1;
};

// The menu command "Internet Update...": the dialog with its notification box
// set from the settings, which take the box back afterwards. Not in run-only mode.
void ShowOnlineUpdate(TForm1& form);
// The start-up check: the dialog only when a newer update is on the server.
void AutoUpdateCheck(TForm1& form);
