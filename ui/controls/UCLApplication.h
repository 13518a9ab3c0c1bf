// The library's application object: what all its controls share (the 50 ms
// timer pool, the edits' mode flags, the pattern bitmap, the performance-
// counter frequency, previous-instance detection), and the error handling
// through which timer and message handlers report their exceptions.
#pragma once

#include "ui/controls/UCLBase.h"
#include "ui/controls/UCLIniCtrl.h"
#include "ui/controls/UCLProcs.h"
#include "ui/controls/UCLTimerPool.h"

#include <QImage>

#include <exception>
#include <memory>

// Exceptions never cross the event loop: a handler boundary catches them and
// calls ApplicationHandleException from inside its catch block. The default
// handler shows the exception's text in an error message box.
using TExceptionHandler = std::function<void(TPersistent* Sender, std::exception_ptr Error)>;
void ApplicationHandleException(TPersistent* Sender);
// Installs the handler; an empty one restores the message box.
void SetApplicationExceptionHandler(TExceptionHandler Handler);
// The text of an exception as the message box shows it (CP1252).
AnsiString ExceptionMessage(std::exception_ptr Error);

// Members of the edits' shared mode set.
enum : Byte { emInsert = 0x01, emShift = 0x02, emControl = 0x04, emAlt = 0x08 };
using TUCLEditMode = Byte;

inline constexpr Word PoolTimerBase = 0xFD00;   // pooled identifiers are PoolTimerBase + slot
inline constexpr int PoolTimerSlots = 250;

class TUCLApplication : public TUCLCustomComponent {
    ZK_ABSTRACT_CLASS(TUCLApplication, TUCLCustomComponent)
public:
    TUCLApplication();
    ~TUCLApplication() override;

    Byte Options = 0x36;            // members 1, 2, 4 and 5; member 0 is tested by the drawing procedures
    TNotifyEvent OnEditModeChange;
    TUCLPathPrefix LogPathPrefix = ppProgram;
    Integer LogMaxSize = -1;
    bool ThemedControlsOnly = false;
    AnsiString Company;             // both empty: used by RegistryKey
    AnsiString Version;

    TUCLTimerPool& TimerPool() { return *FTimerPool; }
    TUCLEditMode EditMode() const { return FEditMode; }
    void SetEditMode(TUCLEditMode Value);
    Int64 PerformanceFrequency() const { return FPerformanceFrequency; }
    bool PreviousInstance() const { return FPreviousInstance; }
    Integer CheckBoxWidth() const { return FCheckBoxWidth; }
    Integer CheckBoxHeight() const { return FCheckBoxHeight; }
    const AnsiString& LogFileName() const { return FLogFileName; }
    void SetLogFileName(const AnsiString& Name);

    // Identifier of a new pooled timer (0xFD01 .. 0xFDFA), or 0 when all 250
    // slots are taken. An interval the pool refuses raises its exception.
    Word AddTimer(Word Interval, TNotifyEvent Handler);
    void RemoveTimer(Word Ident);
    TUCLTimerItem* FindTimer(Word Ident) const;

    // The cached 8 x 8 bitmap with Color on the pixels where x + y is odd.
    const QImage& PatternBitmap(TColor Color);

    // "Software\" + company, title and version, each ending in "\".
    AnsiString RegistryKey() const;

    // Visual styles are the current Qt style's look. They are off unless
    // switched on here, so the controls keep their plain drawing (the scroll
    // box is the only control with a themed branch).
    static bool ThemesAvailable() { return FThemesAvailable; }
    static void SetThemesAvailable(bool Value) { FThemesAvailable = Value; }
    bool GetUseXPThemes() const { return FUseXPThemes && ThemesAvailable(); }
    // Switching on is refused while themes are not available.
    void SetUseXPThemes(bool Value);

    // The settings component the controls use when told to take the global one.
    TUCLIniCtrl& IniControl();

private:
    static inline bool FThemesAvailable = false;
    std::unique_ptr<TUCLTimerPool> FTimerPool;
    std::unique_ptr<TUCLIniCtrl> FIniControl;
    TUCLEditMode FEditMode = emInsert;
    Int64 FPerformanceFrequency;
    bool FPreviousInstance = false;
    int FInstanceLock = -1;
    Integer FCheckBoxWidth;
    Integer FCheckBoxHeight;
    bool FUseXPThemes = false;
    AnsiString FLogFileName;
    TColor FPatternColor = 0x1FFFFFFF;
    QImage FPattern;
};

// The one application object of the library, created at first use (after the
// QApplication) and freed when the QApplication ends.
TUCLApplication& LibraryApplication();
