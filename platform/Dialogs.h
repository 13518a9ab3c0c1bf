// Every modal question the program asks goes through one function per kind:
// message boxes, file, colour and folder dialogs. A TModalHook answers them
// without a person and records what was asked, so every path runs headless.
// Main thread only.
#pragma once

#include "platform/Colors.h"
#include "platform/SysTypes.h"

#include <array>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

// Message box buttons, icons and default button (Windows numbers), combined
// with "|".
inline constexpr Cardinal MB_OK = 0x00;
inline constexpr Cardinal MB_OKCANCEL = 0x01;
inline constexpr Cardinal MB_ABORTRETRYIGNORE = 0x02;
inline constexpr Cardinal MB_YESNOCANCEL = 0x03;
inline constexpr Cardinal MB_YESNO = 0x04;
inline constexpr Cardinal MB_RETRYCANCEL = 0x05;
inline constexpr Cardinal MB_ICONHAND = 0x10;
inline constexpr Cardinal MB_ICONERROR = 0x10;
inline constexpr Cardinal MB_ICONSTOP = 0x10;
inline constexpr Cardinal MB_ICONQUESTION = 0x20;
inline constexpr Cardinal MB_ICONEXCLAMATION = 0x30;
inline constexpr Cardinal MB_ICONWARNING = 0x30;
inline constexpr Cardinal MB_ICONASTERISK = 0x40;
inline constexpr Cardinal MB_ICONINFORMATION = 0x40;
inline constexpr Cardinal MB_DEFBUTTON1 = 0x000;
inline constexpr Cardinal MB_DEFBUTTON2 = 0x100;
inline constexpr Cardinal MB_DEFBUTTON3 = 0x200;

// The button that closed a message box.
inline constexpr Integer IDOK = 1;
inline constexpr Integer IDCANCEL = 2;
inline constexpr Integer IDABORT = 3;
inline constexpr Integer IDRETRY = 4;
inline constexpr Integer IDIGNORE = 5;
inline constexpr Integer IDYES = 6;
inline constexpr Integer IDNO = 7;

// details: a second text under the message (the file the message is about);
// the box is at least as wide as its title needs in a window's title bar.
Integer MessageBox(std::string_view text, std::string_view caption, Cardinal flags, std::string_view details = {});
// An OK box titled with the application's display name.
void ShowMessage(std::string_view text);

enum class TFileDialogKind { Open, Save };

struct TFileDialog {
    TFileDialogKind Kind = TFileDialogKind::Open;
    AnsiString Title;
    AnsiString Filter;          // "Text|*.txt|All|*.*"; patterns of one entry joined by ";"
    Integer FilterIndex = 1;    // counted from 1; set to the user's choice
    AnsiString DefaultExt;      // "prj": added when the chosen name has no extension
    AnsiString InitialDir;
    AnsiString FileName;        // proposed name; the chosen one after success
    // A save dialog asks before it replaces an existing file; No shows the
    // dialog again.
    bool OverwritePrompt = true;
};
// The chosen file, or "" when the user cancelled. The overwrite question is a
// message box of its own (through the hook), asked for the name with the
// default extension added, in the text language of platform/TextLanguage.h.
AnsiString ExecuteFileDialog(TFileDialog& dialog);

using TCustomColors = std::array<TColor, 16>;
// Preset with color and the custom colours; on OK both are updated and the
// result is true. Cancel changes nothing.
bool ExecuteColorDialog(TColor& color, TCustomColors& customColors);

// The chosen folder, or "" when the user cancelled.
AnsiString ExecuteFolderDialog(std::string_view caption, std::string_view initialDir);

// A computer's host name (offered: this machine and "localhost", any name may
// be typed), or "" when the user cancelled. The request carries the preset
// name as its Text.
AnsiString ExecuteHostDialog(std::string_view caption, std::string_view initialHost);

// ---- Test hook -------------------------------------------------------------

enum class TModalKind { MessageBox, FileDialog, ColorDialog, FolderDialog, HostDialog };

// What was asked. Fields that do not belong to the kind stay empty.
struct TModalRequest {
    TModalKind Kind = TModalKind::MessageBox;
    AnsiString Text;          // message box text
    AnsiString Details;       // message box: the second text under it
    AnsiString Caption;       // box caption or dialog title
    Cardinal Flags = 0;       // message box flags
    TFileDialog File;         // file dialog as passed
    AnsiString InitialDir;    // folder dialog
    TColor Color = clBlack;   // colour dialog
    TCustomColors CustomColors{};
};

struct TModalAnswer {
    Integer Result = IDCANCEL;   // the button; dialogs: IDOK or IDCANCEL
    AnsiString FileName;         // file, folder or host name
    Integer FilterIndex = 0;     // 0 keeps the asked index
    TColor Color = clBlack;
    std::optional<TCustomColors> CustomColors;

    static TModalAnswer Button(Integer id);
    static TModalAnswer Cancel() { return Button(IDCANCEL); }
    static TModalAnswer File(AnsiString name, Integer filterIndex = 0);   // also a folder
    static TModalAnswer Colour(TColor color);
};

using TModalHandler = std::function<TModalAnswer(const TModalRequest&)>;

// While it lives, every modal question goes to the handler (or takes the next
// of the given answers, Cancel once they are used up) instead of a person.
// Hooks nest; the previous one is back when this one ends.
class TModalHook {
public:
    explicit TModalHook(TModalHandler handler);
    explicit TModalHook(std::vector<TModalAnswer> answers);
    ~TModalHook();
    TModalHook(const TModalHook&) = delete;
    TModalHook& operator=(const TModalHook&) = delete;

    const std::vector<TModalRequest>& Requests() const { return requests_; }
    TModalAnswer Answer(const TModalRequest& request);

private:
    TModalHandler handler_;
    std::vector<TModalRequest> requests_;
    TModalHook* previous_;
};
