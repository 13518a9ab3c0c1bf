// The online update against a real FTP server on 127.0.0.1 (the script
// beside this file): the listing, the search and its status, downloads that
// complete, break off or are cancelled, active mode, and the menu command
// and start-up check of the main window.
#include "shell/ShellFixture.h"

#include "dialogs/ModalForm.h"
#include "engine/AnsiLiteral.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "shell/OnlineUpdate.h"
#include "shell/UpdateFtp.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>

namespace {

// ---- The listing -----------------------------------------------------------

struct ListingCase {
    const char* name;
    std::string listing;
    std::optional<QDate> date;
    Int64 size;
};

TEST(UpdateListing, FindsDateAndSizeOfTheFirstLineThatNamesTheFile)
{
    const std::string line = "09-15-15  10:30AM              1234567 zentrika40-update.deb";
    const ListingCase cases[] = {
        {"the listing's form", line, QDate(2015, 9, 15), 1234567},
        {"among other lines, CR LF",
         "01-02-20  08:00AM       <DIR>          old\r\n" + line + "\r\n12-31-99  11:59PM      5 readme.txt\r\n",
         QDate(2015, 9, 15), 1234567},
        {"lines ended by CR alone", "x\r" + line + "\r", QDate(2015, 9, 15), 1234567},
        {"name in other letter case", "02-29-16  01:00PM                   512 ZENTRIKA40-Update.DEB",
         QDate(2016, 2, 29), 512},
        {"first matching line wins",
         "03-04-21  01:00PM                   100 zentrika40-update.deb\n" + line, QDate(2021, 3, 4), 100},
        {"first matching line unreadable", "zentrika40-update.deb\n" + line, std::nullopt, 0},
        {"no line names the file", "09-15-15  10:30AM   1234567 other.deb\n", std::nullopt, 0},
        {"empty listing", "", std::nullopt, 0},
        {"no numbers where date and size stand", "ab-cd-ef  10:30AM              sizeless zentrika40-update.deb",
         std::nullopt, 0},
        {"date without a size", "09-15-15  10:30AM                       zentrika40-update.deb", std::nullopt, 0},
        {"size with letters", "09-15-15  10:30AM              12a4567 zentrika40-update.deb", std::nullopt, 0},
        {"month 13", "13-15-15  10:30AM              1234567 zentrika40-update.deb", std::nullopt, 0},
        {"30 February", "02-30-16  10:30AM              1234567 zentrika40-update.deb", std::nullopt, 0},
        {"name before the size column", "09-15-15 zentrika40-update.deb 1234567", std::nullopt, 0},
        {"line shorter than the date", "zentrika40-update.deb", std::nullopt, 0},
        {"size beyond 18 digits", "09-15-15  10:30AM       1234567890123456789 zentrika40-update.deb", std::nullopt,
         0},
        {"18 digits", "09-15-15  10:30AM       123456789012345678 zentrika40-update.deb", QDate(2015, 9, 15),
         123456789012345678},
    };
    for (const ListingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto entry = FindUpdateInListing(c.listing, UpdateFileOfThisBuild);
        ASSERT_EQ(entry.has_value(), c.date.has_value());
        if (entry) {
            EXPECT_EQ(entry->Date, *c.date);
            EXPECT_EQ(entry->Size, c.size);
        }
    }
}

// ---- The server ------------------------------------------------------------

struct ServerOptions {
    QString mode = "normal";
    int cutAt = 0;
    std::optional<QByteArray> listing;
    QString password = UpdatePassword;
};

// The FTP server script, running until the object goes.
class TestFtpServer {
public:
    ~TestFtpServer()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }

    // Serves root (its folder "UPDATE" holds the update); work takes the log.
    void Start(const QString& root, const QString& work, const ServerOptions& options)
    {
        static int started = 0;
        log_ = work + QStringLiteral("/commands-%1.log").arg(++started);
        QStringList arguments{ZK_SOURCE_DIR "/tests/shell/ftp_update_server.py",
                              "--root", root,
                              "--user", UpdateUserName,
                              "--password", options.password,
                              "--mode", options.mode,
                              "--cut-at", QString::number(options.cutAt),
                              "--log", log_};
        if (options.listing) {
            const QString listing = work + "/listing.txt";
            QFile file(listing);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(*options.listing);
            arguments << "--listing" << listing;
        }
        process_.setStandardErrorFile(work + "/server.err");
        process_.start(ZK_PYTHON3, arguments);
        ASSERT_TRUE(process_.waitForStarted(10000)) << ZK_PYTHON3;
        while (!process_.canReadLine())
            ASSERT_TRUE(process_.waitForReadyRead(30000)) << ServerErrors(work).toStdString();
        const QByteArray line = process_.readLine().trimmed();
        ASSERT_TRUE(line.startsWith("PORT ")) << line.toStdString();
        port_ = line.mid(5).toInt();
    }

    AnsiString Address() const { return "ftp://127.0.0.1:" + std::to_string(port_) + "/"; }
    // The commands the server received, in order.
    QStringList Commands() const
    {
        QFile file(log_);
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts)
                                              : QStringList();
    }
    static QString ServerErrors(const QString& work)
    {
        QFile file(work + "/server.err");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    QProcess process_;
    QString log_;
    int port_ = 0;
};

// A port on 127.0.0.1 where nobody listens.
AnsiString ClosedAddress()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const int port = probe.serverPort();
    probe.close();
    return "ftp://127.0.0.1:" + std::to_string(port) + "/";
}

QByteArray UpdateContent(int size)
{
    QByteArray content(size, '\0');
    for (int i = 0; i < size; ++i)
        content[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return content;
}

const QDateTime ProgramBuilt(QDate(2020, 6, 10), QTime(14, 0));

class OnlineUpdateTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        ASSERT_TRUE(QDir(folder_.path()).mkpath("server/UPDATE"));
        ASSERT_TRUE(QDir(folder_.path()).mkpath("tmp"));
        ASSERT_TRUE(QDir(folder_.path()).mkpath("work"));
        TIUpdater::OpenFile = [this](const QString& file) { opened_.push_back(file); };
        TIUpdater::Quit = [this](Integer code) { quitCodes_.push_back(code); };
    }
    void TearDown() override
    {
        TIUpdater::OpenFile = savedOpen_;
        TIUpdater::Quit = savedQuit_;
        TShellFixture::TearDown();
    }

    // The update file on the server, of the size, dated that day.
    void ServeUpdate(QDate date, int size = 300000)
    {
        const QString name = Path("server/UPDATE/" + QString::fromLatin1(UpdateFileOfThisBuild));
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(UpdateContent(size));
        ASSERT_TRUE(file.setFileTime(QDateTime(date, QTime(10, 30)), QFileDevice::FileModificationTime));
    }
    void StartServer(const ServerOptions& options = {})
    {
        server_ = std::make_unique<TestFtpServer>();
        server_->Start(Path("server"), Path("work"), options);
    }
    std::unique_ptr<TIUpdater> Dialog(const AnsiString& address)
    {
        auto dialog = std::make_unique<TIUpdater>();
        dialog->UpdateFileName = UpdateFileOfThisBuild;
        dialog->ServerAddress = address;
        dialog->TemporaryFolder = Path("tmp");
        dialog->SetProgramDate(ProgramBuilt);
        return dialog;
    }
    std::unique_ptr<TIUpdater> Dialog() { return Dialog(server_->Address()); }
    QStringList TemporaryFiles() const { return QDir(Path("tmp")).entryList(QDir::Files | QDir::Hidden); }
    QByteArray Downloaded() const
    {
        QFile file(Path("tmp/" + QString::fromLatin1(UpdateFileOfThisBuild)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static std::vector<AnsiString> Texts(const TModalHook& hook)
    {
        std::vector<AnsiString> texts;
        for (const TModalRequest& request : hook.Requests())
            texts.push_back(request.Text);
        return texts;
    }
    // The buttons' enabled states: search, download, cancel, close.
    static std::array<bool, 4> Buttons(const TIUpdater& dialog)
    {
        return {dialog.B_SucheUpdates->isEnabled(), dialog.B_Download->isEnabled(),
                dialog.B_DownloadAbbruch->isEnabled(), dialog.B_Beenden->isEnabled()};
    }

    std::unique_ptr<TestFtpServer> server_;
    std::vector<QString> opened_;
    std::vector<Integer> quitCodes_;
    std::function<void(const QString&)> savedOpen_ = TIUpdater::OpenFile;
    std::function<void(Integer)> savedQuit_ = TIUpdater::Quit;
};

// ---- The search ------------------------------------------------------------

struct SearchCase {
    const char* name;
    Integer language;
    std::optional<QDate> served;            // the update file's date, none: no file
    std::optional<QByteArray> listing;      // a listing of the server's own
    bool found;
    const char* status;
    TColor colour;
    const char* updateDate;                 // as shown: in the program's language, never the system's
};

TEST_F(OnlineUpdateTest, SearchComparesTheUpdatesDateWithTheProgramsAndShowsTheStatusByLanguage)
{
    const QByteArray sizeless = "09-15-25  10:30AM              sizeless zentrika40-update.deb\r\n";
    const SearchCase cases[] = {
        {"newer, German", 0, QDate(2020, 6, 11), {}, true, "Aktualisierung empfohlen!", UpdateRecommendedColour, "11.06.20"},
        {"newer, English", 1, QDate(2021, 1, 2), {}, true, "Update recommended!", UpdateRecommendedColour, "02/01/2021"},
        {"newer, French", 2, QDate(2020, 6, 11), {}, true, "Mise à jour recommandé!", UpdateRecommendedColour, "11/06/2020"},
        {"same day, English", 1, ProgramBuilt.date(), {}, true, "+++ up-to-date +++", UpToDateColour, "10/06/2020"},
        {"older, German", 0, QDate(2019, 12, 24), {}, true, "+++ aktuell +++", UpToDateColour, "24.12.19"},
        {"older, French", 2, QDate(2015, 9, 15), {}, true, "+++ à jour +++", UpToDateColour, "15/09/2015"},
        {"no update file, German", 0, {}, {}, false, "- kein Update verfügbar-", UpToDateColour, "???"},
        {"no update file, French", 2, {}, {}, false, "- no update available -", UpToDateColour, "???"},
        {"listed without numbers", 1, QDate(2025, 9, 15), sizeless, false, "- no update available -",
         UpToDateColour, "???"},
    };
    // The program file's date in German, English and French.
    const char* const programDate[] = {"10.06.20", "10/06/2020", "10/06/2020"};
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        LanguageIndex = c.language;
        QFile::remove(Path("server/UPDATE/" + QString::fromLatin1(UpdateFileOfThisBuild)));
        if (c.served)
            ServeUpdate(*c.served, 1234567);
        ServerOptions options;
        options.listing = c.listing;
        StartServer(options);
        auto dialog = Dialog();
        TModalHook hook(std::vector<TModalAnswer>{});
        dialog->B_SucheUpdates->click();

        EXPECT_TRUE(hook.Requests().empty());
        EXPECT_EQ(dialog->L_Status->text(), QString::fromUtf8(c.status));
        EXPECT_EQ(dialog->StatusColour, c.colour);
        EXPECT_EQ(dialog->L_Status->palette().color(QPalette::WindowText), ColorToQColor(c.colour));
        EXPECT_EQ(Buttons(*dialog), (std::array<bool, 4>{true, c.found, false, true}));
        EXPECT_EQ(dialog->L_PrgDatum->text().toStdString(), programDate[c.language]);
        EXPECT_EQ(dialog->L_UpdateDatum->text().toStdString(), c.updateDate);
        if (c.found) {
            EXPECT_EQ(dialog->UpdateDate, *c.served);
            EXPECT_EQ(dialog->UpdateSize, 1234567);
            EXPECT_EQ(dialog->L_UpdateSize->text(), QStringLiteral("1206 kB"));
            EXPECT_EQ(dialog->UpdateAvailable(), *c.served > ProgramBuilt.date());
        } else {
            EXPECT_EQ(dialog->L_UpdateSize->text(), QStringLiteral("???"));
            EXPECT_FALSE(dialog->UpdateAvailable());
        }
        EXPECT_TRUE(server_->Commands().contains("LIST"));
    }
}

struct FailureCase {
    const char* name;
    Integer language;
    ServerOptions options;
    bool serverRuns;
    const char* box;     // the error box's text, none when the failure shows none
};

TEST_F(OnlineUpdateTest, ServersThatFailOrCloseEarlyFindNoUpdateAndOnlyAFailedConnectionIsReported)
{
    ServeUpdate(QDate(2024, 1, 1));
    const FailureCase cases[] = {
        {"closed before the greeting", 0, {"close-at-greeting", 0, {}, UpdatePassword}, true,
         "Es kann keine Verbindung zum Server aufgebaut werden."},
        {"login refused", 1, {"normal", 0, {}, "wrong"}, true, "Can´t connect to the server."_ansi},
        {"closed when the listing is asked for", 2, {"close-at-list", 0, {}, UpdatePassword}, true, nullptr},
        {"nobody listening", 2, {}, false, "Can´t connect to the server."_ansi},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        LanguageIndex = c.language;
        AnsiString address = ClosedAddress();
        if (c.serverRuns) {
            StartServer(c.options);
            address = server_->Address();
        }
        auto dialog = Dialog(address);
        TModalHook hook(std::vector<TModalAnswer>{});
        dialog->B_SucheUpdates->click();

        if (c.box) {
            ASSERT_EQ(hook.Requests().size(), 1u);
            EXPECT_EQ(hook.Requests()[0].Text, c.box);
            EXPECT_EQ(hook.Requests()[0].Caption, "Update");
            EXPECT_EQ(hook.Requests()[0].Flags, MB_OK | MB_ICONERROR);
        } else {
            EXPECT_TRUE(hook.Requests().empty());
        }
        EXPECT_EQ(dialog->L_Status->text(), QString::fromUtf8(ByLanguage("- kein Update verfügbar-",
                                                                         "- no update available -",
                                                                         "- no update available -")));
        EXPECT_EQ(Buttons(*dialog), (std::array<bool, 4>{true, false, false, true}));
    }
}

TEST_F(OnlineUpdateTest, TheMissingUpdateFolderIsAFailedConnection)
{
    ASSERT_TRUE(QDir(Path("server/UPDATE")).removeRecursively());
    StartServer();
    auto dialog = Dialog();
    TModalHook hook(std::vector<TModalAnswer>{});
    EXPECT_FALSE(dialog->QueryUpdate());
    EXPECT_EQ(Texts(hook), (std::vector<AnsiString>{"Es kann keine Verbindung zum Server aufgebaut werden."}));
    EXPECT_FALSE(server_->Commands().contains("LIST"));
}

TEST_F(OnlineUpdateTest, CtrlHeldWhileSearchingUsesActiveModeAndShowsTheRedFrame)
{
    ServeUpdate(QDate(2024, 1, 1));
    StartServer();
    auto dialog = Dialog();
    EXPECT_FALSE(dialog->SH_Control->isVisibleTo(dialog.get()));
    QTest::keyPress(dialog.get(), Qt::Key_Control, Qt::ControlModifier);
    EXPECT_TRUE(dialog->SH_Control->isVisibleTo(dialog.get()));
    dialog->B_SucheUpdates->click();
    EXPECT_TRUE(dialog->B_Download->isEnabled());
    QStringList commands = server_->Commands();
    EXPECT_TRUE(commands.contains("EPRT") || commands.contains("PORT")) << commands.join(' ').toStdString();
    EXPECT_FALSE(commands.contains("EPSV") || commands.contains("PASV"));

    QTest::keyRelease(dialog.get(), Qt::Key_Control, Qt::NoModifier);
    EXPECT_FALSE(dialog->SH_Control->isVisibleTo(dialog.get()));
    const int before = commands.size();
    dialog->B_SucheUpdates->click();
    commands = server_->Commands().mid(before);
    EXPECT_TRUE(commands.contains("EPSV") || commands.contains("PASV")) << commands.join(' ').toStdString();
    EXPECT_TRUE(dialog->B_Download->isEnabled());
}

// ---- The download ----------------------------------------------------------

struct DownloadCase {
    const char* name;
    Integer language;
    Integer answer;
    bool programCloses;
    AnsiString question;
    AnsiString caption;
    bool started;
};

TEST_F(OnlineUpdateTest, ACompleteDownloadIsKeptInTheTemporaryFolderAndStartsTheUpdateWhenConfirmed)
{
    const QByteArray content = UpdateContent(300000);
    ServeUpdate(QDate(2024, 1, 1), content.size());
    StartServer();
    const DownloadCase cases[] = {
        {"German, OK", 0, IDOK, true, "Programm beenden und Update starten?", "Update", true},
        {"English, Cancel", 1, IDCANCEL, true, "Exit program and start update?", "Update", false},
        {"French, OK, the program stays open at its save prompt", 2, IDOK, false,
         "Voulez-vous quitter le programme pour effectuer la mise à jour ?"_ansi, "Mise à jour"_ansi, false},
    };
    for (const DownloadCase& c : cases) {
        SCOPED_TRACE(c.name);
        LanguageIndex = c.language;
        opened_.clear();
        quitCodes_.clear();
        auto dialog = Dialog();
        int closes = 0;
        dialog->CloseProgram = [&] {
            ++closes;
            return c.programCloses;
        };
        dialog->B_SucheUpdates->click();
        ASSERT_TRUE(dialog->B_Download->isEnabled());
        std::vector<int> progress;
        QObject::connect(&dialog->FTP(), &TUpdateFtp::Work, dialog.get(),
                         [&] { progress.push_back(dialog->ProgressBar->value()); });
        TModalHook hook({TModalAnswer::Button(c.answer)});
        dialog->B_DownloadClick();

        ASSERT_EQ(hook.Requests().size(), 1u);
        EXPECT_EQ(hook.Requests()[0].Text, c.question);
        EXPECT_EQ(hook.Requests()[0].Caption, c.caption);
        EXPECT_EQ(hook.Requests()[0].Flags, MB_OKCANCEL | MB_ICONQUESTION);
        const QString target = Path("tmp/" + QString::fromLatin1(UpdateFileOfThisBuild));
        EXPECT_EQ(dialog->DownloadTarget(), target);
        EXPECT_EQ(Downloaded(), content);
        EXPECT_EQ(TemporaryFiles(), QStringList{QString::fromLatin1(UpdateFileOfThisBuild)});
        EXPECT_EQ(dialog->ProgressBar->maximum(), content.size());
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.back(), content.size());
        EXPECT_EQ(closes, c.answer == IDOK ? 1 : 0);
        EXPECT_EQ(opened_, c.started ? std::vector<QString>{target} : std::vector<QString>{});
        EXPECT_EQ(quitCodes_, c.started ? std::vector<Integer>{18} : std::vector<Integer>{});
        EXPECT_EQ(Buttons(*dialog), (std::array<bool, 4>{true, true, false, true}));
    }
    const QStringList commands = server_->Commands();
    EXPECT_EQ(commands.count("RETR"), 3);
    EXPECT_EQ(commands.count("USER"), 3);   // one login per dialog, its search and download share it
}

struct BrokenCase {
    const char* name;
    QString mode;
    bool earlierDownload;   // a complete file of an earlier download under the final name
};

TEST_F(OnlineUpdateTest, ADownloadCutInTheMiddleLeavesNothingUnderTheFinalNameAndAsksNothing)
{
    const BrokenCase cases[] = {
        {"the server dies", "cut-download", false},
        {"the server reports a short file complete", "short-download", false},
        {"the same, and the server tells no size but in the listing", "short-unsized", false},
        {"the server dies, an earlier download stays", "cut-download", true},
    };
    const QString target = Path("tmp/" + QString::fromLatin1(UpdateFileOfThisBuild));
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& file : TemporaryFiles())
            QFile::remove(Path("tmp/" + file));
        if (c.earlierDownload) {
            QFile earlier(target);
            ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
            earlier.write("earlier");
        }
        ServeUpdate(QDate(2024, 1, 1), 300000);
        ServerOptions options;
        options.mode = c.mode;
        options.cutAt = 100000;
        StartServer(options);
        auto dialog = Dialog();
        dialog->B_SucheUpdates->click();
        ASSERT_TRUE(dialog->B_Download->isEnabled());
        TModalHook hook(std::vector<TModalAnswer>{});
        dialog->B_DownloadClick();

        ASSERT_EQ(hook.Requests().size(), 1u);   // the error, no question
        EXPECT_EQ(hook.Requests()[0].Caption, "Update");
        EXPECT_EQ(hook.Requests()[0].Flags, MB_OK | MB_ICONERROR);
        EXPECT_FALSE(hook.Requests()[0].Text.empty());
        EXPECT_EQ(TemporaryFiles(), c.earlierDownload ? QStringList{QString::fromLatin1(UpdateFileOfThisBuild)}
                                                      : QStringList{});
        EXPECT_EQ(Downloaded(), c.earlierDownload ? QByteArray("earlier") : QByteArray());
        EXPECT_TRUE(opened_.empty());
        EXPECT_TRUE(quitCodes_.empty());
        EXPECT_EQ(Buttons(*dialog), (std::array<bool, 4>{true, true, false, true}));
    }
}

TEST_F(OnlineUpdateTest, CancelDuringTheDownloadStopsItAsksNothingAndTheDialogWorksOn)
{
    ServeUpdate(QDate(2024, 1, 1), 300000);
    ServerOptions options;
    options.mode = "stall-download";
    options.cutAt = 50000;
    StartServer(options);
    auto dialog = Dialog();
    dialog->B_SucheUpdates->click();
    ASSERT_TRUE(dialog->B_Download->isEnabled());

    // Cancel once the first bytes are in, with the buttons as they are then.
    std::array<bool, 4> during{};
    int progressWhenCancelled = 0;
    auto cancel = QObject::connect(&dialog->FTP(), &TUpdateFtp::Work, dialog.get(), [&] {
        if (dialog->DownloadCancelled)
            return;
        during = Buttons(*dialog);
        progressWhenCancelled = dialog->ProgressBar->value();
        dialog->B_DownloadAbbruch->click();
    });
    TModalHook hook(std::vector<TModalAnswer>{});
    dialog->B_DownloadClick();

    EXPECT_EQ(during, (std::array<bool, 4>{false, false, true, false}));
    EXPECT_GT(progressWhenCancelled, 0);
    EXPECT_TRUE(hook.Requests().empty());
    EXPECT_EQ(dialog->ProgressBar->value(), 0);
    EXPECT_FALSE(dialog->DownloadCancelled);
    EXPECT_EQ(Buttons(*dialog), (std::array<bool, 4>{true, true, false, true}));
    EXPECT_TRUE(TemporaryFiles().isEmpty());
    EXPECT_TRUE(opened_.empty());

    // The next search connects again.
    QObject::disconnect(cancel);
    dialog->B_SucheUpdates->click();
    EXPECT_TRUE(hook.Requests().empty());
    EXPECT_TRUE(dialog->B_Download->isEnabled());

    // Closing the dialog during a download ends the download first.
    QObject::connect(&dialog->FTP(), &TUpdateFtp::Work, dialog.get(), [&] { dialog->reject(); });
    dialog->show();
    dialog->B_DownloadClick();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), mrCancel);
    EXPECT_TRUE(hook.Requests().empty());
    EXPECT_TRUE(TemporaryFiles().isEmpty());
}

// ---- The main window -------------------------------------------------------

TEST_F(OnlineUpdateTest, MenuCommandShowsTheNotificationBoxAndStoresItBack)
{
    ServeUpdate(QDate(2015, 9, 15));
    StartServer();
    WriteFile("Settings/EXPKIT.INI", QByteArray("[OPTIONS]\r\nUpdateServer=") + server_->Address().c_str() + "\r\n");
    TForm1& form = Create();
    form.show();
    for (const bool setting : {false, true}) {
        SCOPED_TRACE(setting);
        form.Settings.UpdateInfo = setting;
        TFormHook hook({[&](TModalForm& shown) {
            auto& dialog = dynamic_cast<TIUpdater&>(shown);
            EXPECT_TRUE(dialog.cb_Auto->isVisible());
            EXPECT_EQ(dialog.cb_Auto->isChecked(), setting);
            EXPECT_EQ(dialog.UpdateFileName, UpdateFileOfThisBuild);
            dialog.B_SucheUpdates->click();
            EXPECT_EQ(dialog.L_Status->text(), QStringLiteral("+++ aktuell +++"));
            dialog.cb_Auto->setChecked(!setting);
            dialog.B_Beenden->click();
        }});
        form.findChild<QAction*>("InternetUpdate1")->trigger();
        EXPECT_EQ(hook.Shown(), (std::vector<AnsiString>{"Internet Update"}));
        EXPECT_EQ(form.Settings.UpdateInfo, !setting);
    }
    // Without an address in the settings, our own default.
    TIniFile empty(QStringToAnsi(Path("Settings/none.ini")));
    EXPECT_EQ(UpdateServerAddress(empty), DefaultUpdateServer);
}

struct StartupCase {
    const char* name;
    std::optional<QDate> served;
    bool serverRuns;
    bool shown;
};

TEST_F(OnlineUpdateTest, StartupCheckShowsTheDialogOnlyForANewerUpdateAndReportsNoConnectionError)
{
    const StartupCase cases[] = {
        {"an older update", QDate(2015, 9, 15), true, false},
        {"a newer update", QDate::currentDate().addDays(2), true, true},
        {"no server", {}, false, false},
    };
    TForm1& form = Create();
    for (const StartupCase& c : cases) {
        SCOPED_TRACE(c.name);
        AnsiString address = ClosedAddress();
        if (c.serverRuns) {
            ServeUpdate(*c.served);
            StartServer();
            address = server_->Address();
        }
        form.SettingsIni->WriteString("OPTIONS", "UpdateServer", address);
        form.Settings.UpdateInfo = true;
        TModalHook boxes(std::vector<TModalAnswer>{});
        TFormHook hook({[&](TModalForm& shown) {
            auto& dialog = dynamic_cast<TIUpdater&>(shown);
            EXPECT_EQ(dialog.L_UpdateDatum->text(), c.served->toString(QStringLiteral("dd.MM.yy")));   // German
            EXPECT_EQ(dialog.L_Status->text(), QStringLiteral("Aktualisierung empfohlen!"));
            EXPECT_TRUE(dialog.B_Download->isEnabled());
            EXPECT_TRUE(dialog.cb_Auto->isChecked());
            dialog.cb_Auto->setChecked(false);
        }});
        AutoUpdateCheck(form);
        EXPECT_EQ(hook.Shown().size(), c.shown ? 1u : 0u);
        EXPECT_EQ(form.Settings.UpdateInfo, !c.shown);
        EXPECT_TRUE(boxes.Requests().empty());
    }
    // Not in a run-only copy.
    RunOnlyMode = true;
    TFormHook hook({});
    AutoUpdateCheck(form);
    ShowOnlineUpdate(form);
    EXPECT_TRUE(hook.Shown().empty());
    EXPECT_EQ(server_->Commands().count("USER"), 1);
}

TEST_F(OnlineUpdateTest, TheProgramChecksAtStartWhenTheSettingsAskForIt)
{
    ServeUpdate(QDate(2015, 9, 15));
    StartServer();
    WriteFile("Settings/EXPKIT.INI",
              QByteArray("[OPTIONS]\r\nUpdateInfo=1\r\nUpdateServer=") + server_->Address().c_str() + "\r\n");
    TForm1& form = Create();
    TFormHook hook({});
    form.show();
    EXPECT_FALSE(server_->Commands().contains("LIST"));   // from the message loop, after the window is up
    QCoreApplication::processEvents();
    EXPECT_TRUE(server_->Commands().contains("LIST"));
    EXPECT_TRUE(hook.Shown().empty());
}

}   // namespace
