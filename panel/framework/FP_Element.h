// The base of every front-panel element: a panel with bevels, border, frame
// colour and background that may follow the front panel's colour, fake
// transparency from a picture of what lies beneath, per-element hotkeys, its
// record in the project stream, run-time state under a dotted section name,
// and the link back to the component that owns it. Elements are created by
// class name through the class registry; the container owns and frees them.
#pragma once

#include "engine/PanelInterfaces.h"
#include "platform/ClassRegistry.h"

#include <QPixmap>
#include <QWidget>

#include <memory>
#include <vector>

class TCanvas;
class TCustomIniFile;
class TDefault_Dlg;
class TDesign;
class THotkey;

// Bevel codes as stored: none, lowered, raised, space.
enum TBevelCut : Integer { bvNone = 0, bvLowered = 1, bvRaised = 2, bvSpace = 3 };

class TFP_Element : public QWidget, public TPersistent, public virtual IFP_Element {
    ZK_ABSTRACT_CLASS(TFP_Element, TPersistent)
public:
    TFP_Element();
    ~TFP_Element() override;

    // ---- Fields (the panel's and the element's own)
    AnsiString FullName;             // set by MatchFullName
    bool Publish = true;             // shown on web pages
    TColor HintergrundFarbe;         // background inside the frame
    bool RuntimeAdjustable = false;  // the dialog opens by double-click while operated
    bool userEdit = true;            // the panel is being edited
    QPixmap Snapshot;                // what lies beneath, for fake transparency
    TDesign* OwnerDesign = nullptr;
    bool ColorFollowsPanel = true;
    bool BackgroundFollowsPanel = false;
    std::vector<std::unique_ptr<THotkey>> Hotkeys;
    std::vector<AnsiString> ExtraList;   // a subclass's hotkey action names
    Integer WebSortOrder = 0;
    bool WebTitle = true;
    std::vector<AnsiString> HtmlHead;
    std::vector<AnsiString> HtmlFoot;
    Integer BevelInner = bvNone;
    Integer BevelOuter = bvNone;
    Integer BevelWidth = 1;
    Integer BorderWidth = 0;

    // The frame colour (the panel's control colour) and the label.
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    void SetHint(const AnsiString& hint) { hint_ = hint; }

    // ---- IFP_Element
    void SetElementName(const AnsiString& name) override { elementName_ = name; }
    AnsiString ElementName() const override { return elementName_; }
    IDesign* Design() const override;
    TIOBauteil* LinkedComponent() const override { return linked_; }
    void SetLinkedComponent(TIOBauteil* component) override { linked_ = component; }
    Integer ZOrder() const override { return zOrder_; }
    void SetZOrder(Integer zOrder) override { zOrder_ = zOrder; }
    Integer FrontplattenNR() const override { return page_; }
    void SetFrontplattenNR(Integer page) override;
    AnsiString Hint() const override { return hint_; }
    bool AdjustableAtRunTime() const override { return RuntimeAdjustable; }
    bool GetBisteTransparent() const override;
    void SetBisteTransparent(bool transparent) override;
    Integer Left() const override { return x(); }
    Integer Top() const override { return y(); }
    Integer Width() const override { return width(); }
    Integer Height() const override { return height(); }
    void SetBounds(Integer left, Integer top, Integer width, Integer height) override;

    // ---- The element's virtual operations
    // The frame and background; an element that paints calls it first and
    // then draws its content inside the frame.
    virtual void Paint(TCanvas& canvas);
    virtual void WriteData(TStream& stream, TWriter& writer);
    // version: the file's version byte, 255 for a copy in memory.
    virtual void ReadData(TStream& stream, TReader& reader, Byte version);
    // The settings dialog; the modal result (1 = OK).
    Integer EditProperties() override { return 0; }
    virtual void EditPanelLook();
    virtual void GrabBackground();
    virtual void ResetToDefault() {}
    virtual void ClearContents() {}
    virtual bool GetBisteHSkalierbar() const { return true; }
    virtual bool GetBisteVSkalierbar() const { return true; }
    virtual void SaveState(TCustomIniFile& file, const AnsiString& prefix) {}
    // With checkOnly: whether every key of the element is in its section.
    virtual bool LoadState(TCustomIniFile& file, const AnsiString& prefix, bool checkOnly) { return true; }
    // FullName := StateSection(prefix); true when it is the section (letter case counts).
    virtual bool MatchFullName(const AnsiString& prefix, const AnsiString& section);
    // The section of the element's run-time state: prefix + "." + ElementName.
    AnsiString StateSection(const AnsiString& prefix) const { return prefix + "." + elementName_; }
    // 0 = free; else width / height of the area inside the frame.
    virtual long double GetAspectRatio() const { return 0; }
    virtual void SetHintergrundFarbe(TColor color);
    virtual void HotkeyDown(Word key, Byte shift);
    virtual void HotkeyUp(Word key, Byte shift);
    virtual bool GetPublish() const { return Publish; }
    // The web settings were changed in their dialog.
    virtual void WebSettingsChanged() {}

    // ---- Plain operations
    Integer FrameWidth() const;
    // The red corner triangle of an element that holds the keyboard focus.
    void DrawFocusMark(TCanvas& canvas) const;
    // Width := round(r x inner height) + frame, when the element has a ratio r.
    void ApplyAspectRatio();
    bool CanPublish();
    // The web rows of the shared settings dialog (caption: the hint), and the
    // dialog shown with them; the modal result (1 = OK).
    void AddWebPage();
    Integer EditWebSettings();
    // General format with 8 significant digits ("1E0008", "1.5E-0005").
    static AnsiString FloatToText(long double value);
    // The first "," read as "."; what is no number reads as far as it is one.
    static long double TextToFloat(const AnsiString& text);
    // Takes the position for a new element and advances the cascade.
    static TPoint AdvanceCascade();
    // A bitmap of the element as painted (snapshot included).
    void PaintToBitmap(QImage& image);

    // Edit mode passes the mouse to the container and the selection frames.
    void SetMouseTransparent(bool transparent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // The record's hotkey part: one record per hotkey, no count.
    void WriteHotkeys(TWriter& writer) const;
    void ReadHotkeys(TReader& reader);
    // The look part of a record (frame widths, bevels, background and frame
    // colours and whether they follow the panel) and the web tail (sort
    // order, publish, title, HTML head and foot; before version 43 the sort
    // order is the z-order). Elements and containers write them alike.
    void WriteLook(TWriter& writer) const;
    void ReadLook(TReader& reader);
    void WriteWebTail(TWriter& writer);
    void ReadWebTail(TReader& reader, Byte version);
    // count hotkeys, whose presses and releases go to HotkeyPressed and
    // HotkeyReleased.
    void CreateHotkeys(Integer count);
    virtual void HotkeyPressed(THotkey*) {}
    virtual void HotkeyReleased(THotkey*) {}
    // The element's settings sheet: the shared sheet with the hint as its
    // caption and the help context; the caller adds its rows, then
    // ShowSettings adds the options section (hint text; the run-time flag
    // while the panel is edited), shows the sheet modally and applies the
    // hint (changed only on OK); the modal result.
    TDefault_Dlg& SettingsSheet(Integer helpContext) const;
    Integer ShowSettings(TDefault_Dlg& dlg);
    // The shared sheet's background colour row, while the element has a
    // background of its own.
    void AddBackgroundRow(TColor& background) const;
    // The look dialog's values and their application after OK.
    void ApplyLook(bool transparent, Integer inner, Integer outer, Integer border, Integer bevel,
                   bool backgroundFollows, TColor background, bool colorFollows, TColor color);

private:
    AnsiString elementName_;
    AnsiString hint_;
    Integer zOrder_ = 0;
    Integer page_ = 0;
    bool transparent_ = false;
    TColor color_;
    TIOBauteil* linked_ = nullptr;
};

// The panel's own paint: the control colour, outer bevel, border, inner bevel.
void PaintPanelFrame(QPainter& painter, const QRect& rect, TColor color, Integer bevelOuter, Integer bevelInner,
                     Integer bevelWidth, Integer borderWidth);

// A line one pixel wide from (x0, y0) to (x1, y1) without its end point, as
// the drawing system's LineTo draws it. A pen's line is centred on the pixel
// edge: at a device scale of 200 % it falls half a pixel off and, at an edge
// of the element, comes out one device pixel thin. Horizontal and vertical
// lines are therefore filled as whole pixels, which stay sharp and equally
// wide at any scale; slanted ones are drawn with a one-pixel pen.
void PixelLine(QPainter& painter, Integer x0, Integer y0, Integer x1, Integer y1, const QColor& color);

// Raw bytes, little-endian 16-bit words (signed when read) and 32-bit longs
// of the records.
void WriteRawByte(TWriter& writer, Byte value);
Byte ReadRawByte(TReader& reader);
void WriteRawWord(TWriter& writer, Integer value);
Integer ReadRawSmallInt(TReader& reader);
void WriteRawLong(TWriter& writer, Cardinal value);
Cardinal ReadRawLong(TReader& reader);
// The largest width or height a record may give an element: a damaged size
// word must not make a picture of gigabytes (snapshot, bitmap of the element).
inline constexpr Integer MaxElementExtent = 8192;
// The farthest a record may place an element from its container's origin,
// either way: sums of positions and sizes stay far from overflowing.
inline constexpr Integer MaxElementPosition = 4 * MaxElementExtent;
// A size word of a record, limited to 0..MaxElementExtent.
Integer ReadRawExtent(TReader& reader);
// A border or bevel width of a record, limited to 0..MaxElementExtent, so the
// frame width (their sum) cannot overflow.
Integer ReadFrameWidth(TReader& reader);
// A short-string block: length byte, characters, zero padding to blockSize.
void WriteShortString(TWriter& writer, const AnsiString& text, std::size_t blockSize);
AnsiString ReadShortString(TReader& reader, std::size_t blockSize);
// A list of lines: Integer count, then the Strings; read as they come, so a
// damaged count ends at the stream's end.
void WriteLines(TWriter& writer, const std::vector<AnsiString>& lines);
void ReadLines(TReader& reader, std::vector<AnsiString>& lines);
