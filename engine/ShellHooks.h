// The calls that go up from the engine and the layers on it into the layers
// above them: the shell's dialogs and progress window, the front panel, the
// hardware framework. The shell installs every hook at start-up in one place
// (InstallShellHooks); an unset hook does nothing. Tests set the hooks they
// need; ResetGlobals clears them all.
//
// This is the one way upward besides the interfaces of PanelInterfaces.h and
// DeviceInterfaces.h: a new call from a lower layer into a higher one is a
// field here, installed beside the others.
#pragma once

#include "platform/SysTypes.h"

#include <functional>
#include <string_view>

class TBauteil;
class IDevice;
struct TFont;

struct TShellHooks {
    // The shell's progress window for long board operations.
    struct TProgress {
        std::function<void(const AnsiString& title, bool show)> Start;
        std::function<void(const AnsiString& title)> SetTitle;
        std::function<void(Integer percent)> SetPosition;
        std::function<void()> Close;
    } Progress;

    // The front panel's web link, stopped while objects are deleted (its
    // thread reads the elements).
    struct TWebLink {
        std::function<void()> Stop;
        std::function<void()> Start;
    } PanelWebLink;

    // The shared property sheet with one text row: the sheet's title and help
    // context, the row's caption, the text (changed on OK only), its longest
    // length and the row's width. Answers the modal result; unset, nothing is
    // shown and 0 is answered.
    std::function<Integer(const AnsiString& title, Integer helpContext, const AnsiString& caption, AnsiString& text,
                          Integer maxLength, Integer width)>
        TextRowDialog;

    // The text label's sheet: its text (at most 50 characters) and its font,
    // whose height the size field shows and takes back in board units.
    // Answers the modal result; unset, nothing is shown and 0 is answered.
    std::function<Integer(AnsiString& text, TFont& font)> TextLabelDialog;

    // The caption of the front panel's page tab for a page number (empty when
    // there is no panel).
    std::function<AnsiString(Integer page)> PanelPageCaption;

    // Asks the current board for an undo snapshot; the panel's container and
    // selection frames call it before editing once the project is modified.
    std::function<void()> TakeSnapshot;

    // A board object for a hardware class name of an older file (a device
    // class stored as a component), or nullptr when the name is no such
    // legacy name. Unset, no name is a legacy name.
    std::function<TBauteil*(std::string_view className)> CreateHardwareByLegacyName;
    // A hardware component that holds the given device, which it takes over
    // (a device class picked by name from the library or the component
    // search). Unset, devices cannot be placed.
    std::function<TBauteil*(IDevice* device)> CreateHardwareHolding;
    // The device maker's link dialog (the information mark of a library entry).
    std::function<void(IDevice& device)> ShowMakerLinks;

    // The run's close request, as a component that ends the run sends it:
    // the main window's stop path (in a run-only copy its own close).
    std::function<void()> RequestStop;
};

extern TShellHooks ShellHooks;
