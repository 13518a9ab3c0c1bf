#include "engine/Bibo.h"

#include "engine/DeviceInterfaces.h"
#include "engine/Globals.h"
#include "engine/Gradient.h"
#include "engine/Makro.h"
#include "engine/ShellHooks.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "platform/FlagScope.h"
#include "platform/Fonts.h"
#include "platform/HtmlHelp.h"
#include "platform/Paths.h"
#include "platform/Stream.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

constexpr TColor BackgroundTop = 0xFFFAFA;
constexpr TColor DisabledBackground = 0xC0C0C0;

// The marks at the left edge: squares of 45 units, the help mark at the
// bottom of an entry's area and the information mark above it.
constexpr Integer MarkSize = 45;

Integer FirstLayoutY(bool textOnly)
{
    return textOnly ? 0 : 20;
}

// What the palette lays out: a sample's bounds within +-MaxEntryCoordinate
// and at most MaxEntrySize units across and down, the whole strip at most
// MaxStripLength long (at the usual zoom some 300,000 pixels). Only damaged
// files go beyond, and their sums would overflow the layout.
constexpr Int64 MaxEntryCoordinate = 1'000'000;
constexpr Int64 MaxEntrySize = 20'000;
constexpr Int64 MaxStripLength = 1'000'000;
// The strip length an entry adds besides its own height.
constexpr Int64 EntrySpacing = 120;

bool WithinLimit(Int64 value, Int64 limit)
{
    return value >= -limit && value <= limit;
}

// The strip length the entry adds; -1 when it is beyond what the palette lays out.
Int64 EntryLength(const TBauteil& entry)
{
    const TRect b = entry.GetBounds();
    for (Integer v : {b.Left, b.Top, b.Right, b.Bottom})
        if (!WithinLimit(v, MaxEntryCoordinate))
            return -1;
    const Int64 w = Int64(b.Right) - b.Left;
    const Int64 h = Int64(b.Bottom) - b.Top;
    if (!WithinLimit(w, MaxEntrySize) || !WithinLimit(h, MaxEntrySize))
        return -1;
    return std::max<Int64>(h, 0) + EntrySpacing;
}

} // namespace

void WritePlacingStream(TBauteil& object, TStream& stream)
{
    const Integer x = object.X;
    const Integer y = object.Y;
    object.X = 0;
    object.Y = 0;
    try {
        TWriter writer(stream, FilerBufferSize);
        writer.WriteInteger(1);
        writer.WriteString(object.ClassName());
        object.WriteData(stream, writer);
        if (dynamic_cast<TIOBauteil*>(&object))
            writer.WriteBoolean(false);
        writer.FlushBuffer();
    } catch (...) {
        object.X = x;
        object.Y = y;
        throw;
    }
    object.X = x;
    object.Y = y;
    stream.SetPosition(0);
}

TBibo::TBibo(QWidget* owner) : QWidget(owner)
{
    setObjectName("Bibo");
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(40, height());
}

TBibo::~TBibo()
{
    ClearEntries();
}

void TBibo::ClearEntries()
{
    PickedMacro = nullptr;
    while (!Entries.empty()) {
        delete Entries.back();
        Entries.pop_back();
    }
    EntryBottoms.clear();
}

TMapping TBibo::Mapping() const
{
    TMapping mapping;
    mapping.Mode = TMapMode::MM_ANISOTROPIC;
    mapping.WindowExt = {254, 254};
    const auto pixels = static_cast<Integer>(std::nearbyint(Zoom * 16));
    mapping.ViewportExt = {pixels, pixels};
    return mapping;
}

TPoint TBibo::ToBoard(Integer x, Integer y) const
{
    // Qt hands the palette its own coordinates: the scroll position of the
    // box around it is already taken out.
    return Mapping().DPtoLP(TPoint{x, y});
}

IDevice* TBibo::DeviceOf(const TBauteil* entry)
{
    const auto* hardware = dynamic_cast<const IHardwareComponent*>(entry);
    return hardware ? hardware->Driver() : nullptr;
}

bool TBibo::ListedLast(const TBauteil* entry)
{
    const IDevice* device = DeviceOf(entry);
    return device && device->IsListedAtEnd();
}

AnsiString TBibo::EntryCaption(const TBauteil* entry)
{
    const auto* component = dynamic_cast<const TIOBauteil*>(entry);
    if (!component)
        return {};
    AnsiString name = component->GetTypeName();
    if (const std::size_t cr = name.find('\r'); cr != AnsiString::npos)
        name[cr] = ' ';
    return name;
}

// ---- Loading

void TBibo::Clear()
{
    ClearEntries();
    FileName.clear();
    LayoutY = FirstLayoutY(TextOnly);
    if (!PaintSuppressed) {
        SetHeightFromLayout();
        update();
    }
}

void TBibo::LoadFromFile(const AnsiString& fileName)
{
    ClearEntries();
    FileName = fileName;
    StripWidth = ToBoard(width(), 0).X;
    LayoutY = FirstLayoutY(TextOnly);
    try {
        TFileStream file(QtFileName(ResolvePath(fileName)).toStdString(), TFileMode::fmOpenRead);
        ReadEntries(file);
    } catch (...) {
        Clear();
        throw;
    }
    // Devices that ask for it go last, walking from the end (so they end up
    // in the reverse of their order in the file).
    for (std::size_t i = Entries.size(); i-- > 0;) {
        if (ListedLast(Entries[i])) {
            TBauteil* entry = Entries[i];
            Entries.erase(Entries.begin() + static_cast<std::ptrdiff_t>(i));
            Entries.push_back(entry);
        }
    }
    PositionEntries();
    if (!PaintSuppressed) {
        SetHeightFromLayout();
        update();
    }
}

void TBibo::ReadEntries(TStream& stream)
{
    stream.SetPosition(0);
    if (stream.Size() >= 2) {
        const TFlagScope loading(LibraryLoading, true);
        TReader reader(stream, FilerBufferSize);
        if (OnReadHeader)
            OnReadHeader(stream, reader);
        const Integer count = reader.ReadInteger();
        // Entries are added as they are read: a damaged count ends at the
        // stream's end.
        Int64 stripLength = FirstLayoutY(TextOnly);
        for (Integer i = 0; i < count; ++i) {
            const AnsiString className = reader.ReadString();
            TBauteil* created = ShellHooks.CreateHardwareByLegacyName ? ShellHooks.CreateHardwareByLegacyName(className) : nullptr;
            std::unique_ptr<TBauteil> entry(created ? created : CreateBauteil(className));
            entry->Palette = Palette;
            entry->ReadData(stream, reader, FileVersion);
            const Int64 length = EntryLength(*entry);
            stripLength += length;
            if (length < 0 || stripLength > MaxStripLength)
                throw EReadError(SInvalidPropertyValue);
            Entries.push_back(entry.release());
        }
    }
    LayoutEntries();
}

// ---- Layout

void TBibo::PositionEntries()
{
    EntryBottoms.clear();
    LayoutY = FirstLayoutY(TextOnly);
    for (TBauteil* entry : Entries) {
        const TRect bounds = entry->GetBounds();
        const Integer w = bounds.Width();
        const Integer h = bounds.Height();
        auto* component = dynamic_cast<TIOBauteil*>(entry);
        Integer x = StripWidth / 2 - w / 2 + 20;
        if (component && component->InputCount > 0 && component->OutputCount > 0)
            x += 30;
        entry->X = x;
        entry->Y = LayoutY;
        if (component)
            component->LayoutPins();
        if (TextOnly) {
            LayoutY += 99;
            EntryBottoms.push_back(LayoutY);
        } else {
            LayoutY += h + 75;
            EntryBottoms.push_back(LayoutY);
            LayoutY += 45;
        }
        // Samples draw their pins as connected.
        if (component) {
            for (TBauteilPin& pin : component->Inputs)
                pin.Connected = true;
            for (TBauteilPin& pin : component->Outputs)
                pin.Connected = true;
        }
    }
}

void TBibo::LayoutEntries()
{
    if (PaintSuppressed)
        return;
    PositionEntries();
    SetHeightFromLayout();
}

void TBibo::SetHeightFromLayout()
{
    Integer pixels = Mapping().LPtoDP(TPoint{0, LayoutY}).Y;
    // Never shorter than the box around it, so its background fills the box.
    if (const QWidget* box = parentWidget(); box && pixels < box->height())
        pixels = box->height() + 10;
    resize(width(), pixels);
}

// ---- Hit tests

TBauteil* TBibo::EntryAt(Integer x, Integer y) const
{
    const Integer boardY = ToBoard(x, y).Y;
    for (std::size_t i = 0; i < EntryBottoms.size() && i < Entries.size(); ++i)
        if (EntryBottoms[i] > boardY)
            return Entries[i];
    return nullptr;
}

bool TBibo::HelpMarkHit(Integer x, Integer y) const
{
    const TPoint p = ToBoard(x, y);
    return std::any_of(EntryBottoms.begin(), EntryBottoms.end(), [&](Integer b) {
        return p.X >= 0 && p.X < MarkSize && p.Y >= b - MarkSize && p.Y < b;
    });
}

bool TBibo::InfoMarkHit(Integer x, Integer y) const
{
    const TPoint p = ToBoard(x, y);
    return std::any_of(EntryBottoms.begin(), EntryBottoms.end(), [&](Integer b) {
        return p.X >= 0 && p.X < MarkSize && p.Y >= b - 2 * MarkSize && p.Y < b - MarkSize;
    });
}

// ---- Picking

void TBibo::MouseDown(TMouseButton button, Byte, Integer x, Integer y)
{
    TBauteil* entry = EntryAt(x, y);
    if (!entry)
        return;
    if (HelpMarkHit(x, y)) {
        ShowHelpTopic(entry->HelpContext);
        return;
    }
    // The information mark exists only where it is drawn: on devices that
    // are not listed last. Elsewhere its square picks the entry.
    if (IDevice* device = DeviceOf(entry); device && !device->IsListedAtEnd() && InfoMarkHit(x, y)) {
        if (ShellHooks.ShowMakerLinks)
            ShellHooks.ShowMakerLinks(*device);
        return;
    }

    // A macro entry has no circuit of its own: the main window reads its file.
    auto* macro = dynamic_cast<TMakro*>(entry);
    PickedMacro = macro;
    TMemoryStream stream;
    if (!macro)
        WritePlacingStream(*entry, stream);
    if (button != TMouseButton::mbLeft)
        return;
    // The stream lives only as long as the event: the handler reads it.
    pickStream_ = &stream;
    try {
        if (macro) {
            if (OnPickMacro)
                OnPickMacro(this);
        } else if (OnPick) {
            OnPick(this);
        }
    } catch (...) {
        pickStream_ = nullptr;
        throw;
    }
    pickStream_ = nullptr;
}

void TBibo::mousePressEvent(QMouseEvent* event)
{
    TMouseButton button;
    switch (event->button()) {
    case Qt::LeftButton: button = TMouseButton::mbLeft; break;
    case Qt::RightButton: button = TMouseButton::mbRight; break;
    case Qt::MiddleButton: button = TMouseButton::mbMiddle; break;
    default: return;
    }
    const QPoint p = event->position().toPoint();
    // Errors end in the error box, never in Qt's event loop.
    try {
        MouseDown(button, 0, p.x(), p.y());
    } catch (const std::exception& error) {
        MessageBox(QStringToAnsi(QString::fromUtf8(error.what())), "Zentrika", MB_OK | MB_ICONERROR);
    }
}

// ---- Painting

void TBibo::paintEvent(QPaintEvent*)
{
    if (PaintSuppressed)
        return;
    QPainter painter(this);
    TCanvas canvas(painter);
    Paint(canvas);
}

void TBibo::Paint(TCanvas& canvas)
{
    if (PaintSuppressed)
        return;
    canvas.SelectPalette(Palette);
    const TRect client{0, 0, width(), height()};
    if (isEnabled()) {
        DrawGradientRect(canvas, client, BackgroundTop, ScaleColor(BackgroundTop, 0.91), false, true);
    } else {
        canvas.Brush.SetColor(DisabledBackground);
        canvas.FillRect(client);
    }

    StripWidth = ToBoard(width(), 0).X;
    const TMapping mapping = Mapping();
    canvas.SetMapMode(mapping.Mode);
    canvas.SetWindowOrg(0, 0);
    canvas.SetWindowExt(mapping.WindowExt.X, mapping.WindowExt.Y);
    canvas.SetViewportOrg(0, 0);
    canvas.SetViewportExt(mapping.ViewportExt.X, mapping.ViewportExt.Y);
    PositionEntries();

    LayoutY = FirstLayoutY(TextOnly);
    for (TBauteil* entry : Entries) {
        TColor captionColour;
        if (TextOnly) {
            LayoutY += 95;
            captionColour = clBlack;
        } else {
            entry->Draw(canvas);
            const TRect bounds = entry->GetBounds();
            LayoutY = bounds.Bottom + entry->Y - bounds.Top + 75;
            captionColour = clGray;
        }

        canvas.Pen.Style = TPenStyle::psSolid;
        canvas.Pen.Mode = TPenMode::pmCopy;
        canvas.Pen.Width = 3;
        canvas.Pen.Color = clGray;
        LayoutY += 4;
        canvas.MoveTo(0, LayoutY);
        canvas.LineTo(StripWidth, LayoutY);

        const IDevice* device = DeviceOf(entry);
        if (device)
            captionColour = device->IsListedAtEnd() ? clGray : clBlack;
        canvas.Font.Name = ArialFamily;
        canvas.Font.Height = 44;
        canvas.Font.Style = 0;
        canvas.Font.Weight = 400;
        canvas.Font.Escapement = 0;
        canvas.Font.Color = captionColour;
        canvas.Brush.Style = TBrushStyle::bsClear;
        auto centred = [&](const AnsiString& text, Integer y) {
            canvas.TextOut((StripWidth - canvas.TextWidth(text) - 40) / 2, y, text);
        };
        const auto* component = dynamic_cast<const TIOBauteil*>(entry);
        const AnsiString name = component ? component->GetTypeName() : AnsiString();
        if (const std::size_t cr = name.find('\r'); cr == AnsiString::npos) {
            centred(name, LayoutY - 70);
        } else {
            centred(name.substr(0, cr), LayoutY - 85);
            centred(name.substr(cr + 1, 250), LayoutY - 50);
        }

        canvas.Pen.Width = 1;
        canvas.Font.Style = fsBold | fsItalic;
        canvas.Font.Color = clGray;
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.Rectangle(0, LayoutY - MarkSize, MarkSize, LayoutY);
        canvas.TextOut(14, LayoutY - MarkSize, "?");
        if (device && !device->IsListedAtEnd()) {
            canvas.Rectangle(0, LayoutY - 2 * MarkSize, MarkSize, LayoutY - MarkSize);
            canvas.TextOut(20, LayoutY - 2 * MarkSize, "i");
        }
    }
}
