// What the board and its components use of the front panel: an element that a
// component owns and the design (element container) that holds elements. The
// front-panel framework derives its element and container classes from these;
// the engine never includes the panel's headers.
#pragma once

#include "platform/SysTypes.h"

#include <functional>

class TStream;
class TWriter;
class TReader;
class TIOBauteil;
class IDesign;
class QWidget;

class IFP_Element {
public:
    virtual ~IFP_Element() = default;

    // The name the board gives the element: designator and number ("LED3"),
    // or a macro panel's "Makro 1: Filter".
    virtual void SetElementName(const AnsiString& name) = 0;
    virtual AnsiString ElementName() const = 0;
    // The container the element lies in (nullptr for the root design).
    virtual IDesign* Design() const = 0;
    virtual TIOBauteil* LinkedComponent() const = 0;
    // Set by the main window when it pairs a component with its new element.
    virtual void SetLinkedComponent(TIOBauteil* component) = 0;

    virtual Integer ZOrder() const = 0;
    virtual void SetZOrder(Integer zOrder) = 0;
    virtual Integer FrontplattenNR() const = 0;
    virtual void SetFrontplattenNR(Integer page) = 0;
    // The element's hint text and whether the operator may set it while the
    // circuit runs (the object tree reads both).
    virtual AnsiString Hint() const { return {}; }
    virtual bool AdjustableAtRunTime() const { return false; }
    // The element's settings dialog (the settings overview opens it); the
    // modal result, 1 for OK.
    virtual Integer EditProperties() { return 0; }
    virtual bool GetBisteTransparent() const = 0;
    virtual void SetBisteTransparent(bool transparent) = 0;

    virtual Integer Left() const = 0;
    virtual Integer Top() const = 0;
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    virtual void SetBounds(Integer left, Integer top, Integer width, Integer height) = 0;
};

// Virtual, so that the panel's container can be an element of its own
// element class and a design at once.
class IDesign : public virtual IFP_Element {
public:
    virtual Integer IndexOfElement(const IFP_Element* element) const = 0;   // -1 when absent
    virtual void SelectElement(Integer index) = 0;
    virtual bool IsSelected(const IFP_Element* element) const = 0;
    virtual void DeselectElement(IFP_Element* element) = 0;
    virtual void DeselectIndex(Integer index) = 0;   // -1: every element

    virtual void RenumberZOrder() = 0;
    virtual void SortByZOrder() = 0;
    virtual void RefreshTransparency(IFP_Element* requester) = 0;

    // The design block: decoration elements and the container's settings.
    virtual void WriteToStream(TStream& stream, TWriter& writer) = 0;
    virtual void ReadFromStream(TStream& stream, TReader& reader, Byte version) = 0;

    // The element of a component, made by its registered element class name
    // (an unknown name raises the class registry's error); it is the last
    // element of the design and lies on the design's current page.
    virtual IFP_Element* AddElement(const AnsiString& className) = 0;
    // An element's record in the component's record: Left, Top, then the
    // element's own data. Read from a stream that is no file, the element goes
    // to the design's current page.
    virtual void ReadElement(IFP_Element* element, TStream& stream, TReader& reader, Byte version) = 0;
    // The page elements read from a stream that is no file go to (the page
    // shown); the pages of the elements already there stay.
    virtual void SetNewElementPage(Integer page) = 0;
    virtual void WriteElement(IFP_Element* element, TStream& stream, TWriter& writer) = 0;
    // Deselects, frees and unlists the element.
    virtual void RemoveElement(IFP_Element* element) = 0;
    virtual void BringSelectionToFront() = 0;
    // The design holds nothing but nested designs (recursively).
    virtual bool HasOnlySubPanels() const = 0;
    virtual void SetisVisible(bool visible) = 0;
};

// The front-panel window as the main window's project files and component
// placing use it: the root design and the design shown, the page that pasted
// elements go to, the window's block of the project stream (the last block of
// every project, macro and library file), and the state of a new project.
class IFrontplatte {
public:
    virtual ~IFrontplatte() = default;

    virtual IDesign* RootDesign() const = 0;
    virtual IDesign* ShownDesign() const = 0;
    virtual void ShowPanel(IDesign* design) = 0;
    // The index of the page shown.
    virtual Integer AktiveFrontplatte() const = 0;
    // Adds page tabs until every element's page has one.
    virtual void CheckeFrontplattenNummern() = 0;
    // The number of pages (page tabs) of the panel.
    virtual Integer PageCount() const { return 1; }
    // "Letzte Einstellung merken": the panel keeps its run-time settings.
    virtual bool AutoSave() const = 0;
    virtual void SaveDefaultSettings(const AnsiString& projectFileName) = 0;
    // Every element removed, one page, the options and colours of a new
    // project, edit mode, web publishing off.
    virtual void ResetToNewProject() = 0;

    virtual void WriteToStream(TStream& stream, TWriter& writer) = 0;
    virtual void ReadFromStream(TStream& stream, TReader& reader, Byte version) = 0;

    // The window's caption and whether the web-server add-on runs, as the
    // system-information component reports them.
    virtual AnsiString WindowCaption() const { return {}; }
    virtual bool WebServerRunning() const { return false; }

    // ---- What the main window's commands, start and stop ask of the window
    // (a window without them, as a test double, does nothing).
    // The window as a top-level widget to show, raise and keep on screen.
    virtual QWidget* Window() { return nullptr; }
    // Run mode (true) or edit mode.
    virtual void SetRunMode(bool) {}
    virtual void LoadDefaultSettings(const AnsiString&) {}
    // Every element back to its default (the root container's reset).
    virtual void ResetElementsToDefault() {}
    // The window's bounds become the ones it returns to in edit mode.
    virtual void RememberNormalBounds() {}
    // The main window's page command: a new page takes the selection.
    virtual void AddPage() {}
    virtual void SetupBtnClick() {}
    virtual void PrintBtnClick() {}
    virtual void CopyBtnClick() {}
    virtual void Lschen1Click() {}
    virtual Integer WebMode() const { return 0; }
    virtual void SetWebMode(Integer) {}
    // Switches a design and its nested designs between editing and operating.
    virtual void ApplyEditing(bool, IDesign*) {}

    // Installed by the main window: stop and start the simulation (Escape,
    // F9, closing in run mode), the hardware and configuration dialogs, and
    // in the run-only program the close of the program.
    std::function<void()> OnStopKey;
    std::function<void()> OnStartKey;
    std::function<void()> OnHardwareDialog;
    std::function<void()> OnConfiguration;
    std::function<void()> OnCloseRequest;
};

// The front-panel window the shell shows, for the components that report on
// it; nullptr while there is none (tests, the library generator).
extern IFrontplatte* PanelWindow;

// A display element whose shown text a component sets (the numeric display
// in its text mode). The component compares before it sets, so an unchanged
// text causes no repaint.
class ITextDisplayElement {
public:
    virtual ~ITextDisplayElement() = default;
    virtual AnsiString NDUserText() const = 0;
    virtual void SetNDUserText(const AnsiString& text) = 0;
};

// A text entry element: the operator confirms the field's text, which becomes
// the accepted text and is announced through OnSetWert.
class ITextEntryElement {
public:
    virtual ~ITextEntryElement() = default;
    virtual void SetOnSetWert(std::function<void()> handler) = 0;
    // Takes the field's current text as the accepted text and announces it.
    virtual void AcceptInput() = 0;
    virtual AnsiString AcceptedText() const = 0;
};
