#include "ui/controls/UCLApplication.h"

#include "platform/AnsiText.h"
#include "platform/Clock.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/TextLanguage.h"

#include <QApplication>
#include <QFileInfo>
#include <QStyle>

#include <array>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

TExceptionHandler& InstalledExceptionHandler()
{
    static TExceptionHandler handler;
    return handler;
}

std::array<bool, PoolTimerSlots + 1> TimerSlots{};   // slots 1..250; 0 unused

TUCLApplication* TheApplication = nullptr;

void FreeLibraryApplication()
{
    delete TheApplication;
    TheApplication = nullptr;
}

// A second run of the same executable (same file name, any folder) finds the
// name taken. An abstract local socket name belongs to the process that bound
// it and vanishes with it, so a crashed run leaves nothing behind. The user id
// is part of the name, as a session-local name is per user.
int TakeInstanceName(bool& taken)
{
    taken = false;
    const QByteArray exe = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUpper().toLocal8Bit();
    const QByteArray name = "zentrika-instance/" + QByteArray::number(getuid()) + "/" + exe;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;   // not reported, as a failed mutex is not
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::size_t len = std::min<std::size_t>(name.size(), sizeof(addr.sun_path) - 1);
    std::memcpy(addr.sun_path + 1, name.constData(), len);   // leading 0: abstract name
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + len);
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), size) == 0)
        return fd;
    taken = errno == EADDRINUSE;
    close(fd);
    return -1;
}

}   // namespace

AnsiString ExceptionMessage(std::exception_ptr Error)
{
    try {
        if (Error)
            std::rethrow_exception(Error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return TranslateLibraryMessage("Unbekannter Fehler");
}

void ApplicationHandleException(TPersistent* Sender)
{
    const std::exception_ptr error = std::current_exception();
    if (const TExceptionHandler& handler = InstalledExceptionHandler()) {
        handler(Sender, error);
        return;
    }
    MessageBox(ExceptionMessage(error), QStringToAnsi(QApplication::applicationDisplayName()), MB_OK | MB_ICONERROR);
}

void SetApplicationExceptionHandler(TExceptionHandler Handler)
{
    InstalledExceptionHandler() = std::move(Handler);
}

TUCLApplication::TUCLApplication()
{
    SetLogFileName("");
    FInstanceLock = TakeInstanceName(FPreviousInstance);
    FTimerPool = std::make_unique<TUCLTimerPool>(nullptr, 50);
    FPerformanceFrequency = QueryPerformanceFrequency();
    FIniControl = std::make_unique<TUCLIniCtrl>();
    QStyle* style = QApplication::style();
    FCheckBoxWidth = style ? style->pixelMetric(QStyle::PM_IndicatorWidth) : 13;
    FCheckBoxHeight = style ? style->pixelMetric(QStyle::PM_IndicatorHeight) : 13;
}

TUCLApplication::~TUCLApplication()
{
    FIniControl.reset();
    FTimerPool.reset();
    if (FInstanceLock >= 0)
        close(FInstanceLock);
}

TUCLIniCtrl& TUCLApplication::IniControl()
{
    return *FIniControl;
}

void TUCLApplication::SetEditMode(TUCLEditMode Value)
{
    if (Value == FEditMode)
        return;
    FEditMode = Value;
    if (OnEditModeChange)
        OnEditModeChange(this);
}

void TUCLApplication::SetLogFileName(const AnsiString& Name)
{
    AnsiString name = Name;
    if (IsBlank(name))
        name = ChangeFileExt(QStringToAnsi(QCoreApplication::applicationFilePath()), ".LOG");
    else if (ExtractFileExt(name).empty())
        name += ".LOG";
    if (LogPathPrefix != ppFixed)
        name = PathPrefixFolder(LogPathPrefix, true) + ExtractFileName(name);
    FLogFileName = name;
}

Word TUCLApplication::AddTimer(Word Interval, TNotifyEvent Handler)
{
    for (int k = 1; k <= PoolTimerSlots; ++k) {
        if (TimerSlots[k])
            continue;
        // The pool's refusal of an interval propagates to the caller.
        const Word ident = static_cast<Word>(PoolTimerBase + k);
        FTimerPool->AddItem(ident, Interval, std::move(Handler));
        TimerSlots[k] = true;
        return ident;
    }
    return 0;
}

void TUCLApplication::RemoveTimer(Word Ident)
{
    if (Ident <= PoolTimerBase)
        return;
    FTimerPool->RemoveItem(Ident);
    if (const int slot = Ident - PoolTimerBase; slot <= PoolTimerSlots)
        TimerSlots[slot] = false;
}

TUCLTimerItem* TUCLApplication::FindTimer(Word Ident) const
{
    return FTimerPool->FindItem(Ident);
}

const QImage& TUCLApplication::PatternBitmap(TColor Color)
{
    if (Color == FPatternColor && !FPattern.isNull())
        return FPattern;
    if (FPattern.isNull()) {
        FPattern = QImage(8, 8, QImage::Format_RGB32);
        FPattern.fill(Qt::white);
    }
    const QRgb rgb = ColorToQColor(Color).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x + y) % 2 == 1)
                FPattern.setPixel(x, y, rgb);
    FPatternColor = Color;
    return FPattern;
}

AnsiString TUCLApplication::RegistryKey() const
{
    auto withBackslash = [](AnsiString s) { return !s.empty() && s.back() == '\\' ? s : s + "\\"; };
    AnsiString title = QStringToAnsi(QGuiApplication::applicationDisplayName());
    if (title.empty())
        title = QStringToAnsi(QCoreApplication::applicationFilePath());
    AnsiString key = "Software\\";
    if (!Company.empty())
        key += withBackslash(Company);
    key += withBackslash(title);
    if (!Version.empty())
        key += withBackslash(Version);
    return key;
}

void TUCLApplication::SetUseXPThemes(bool Value)
{
    if (Value == FUseXPThemes || (Value && !ThemesAvailable()))
        return;
    FUseXPThemes = Value;
}

TUCLApplication& LibraryApplication()
{
    if (!TheApplication) {
        TheApplication = new TUCLApplication;
        qAddPostRoutine(FreeLibraryApplication);
    }
    return *TheApplication;
}
