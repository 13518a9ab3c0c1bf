#include "panel/framework/FP_Element.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/DLG_Frame.h"
#include "dialogs/Props.h"
#include "engine/Hotkey.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "panel/framework/Design.h"
#include "panel/framework/PanelGlobals.h"
#include "panel/framework/Sizer.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/GdiDraw.h"
#include "platform/Stream.h"
#include "ui/controls/Frame3D.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

// A bevel's colours: lowered is dark above and left, raised light.
void BevelColors(Integer bevel, TColor& topLeft, TColor& bottomRight)
{
    topLeft = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    bottomRight = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

// A bevel of the given cut; a space takes its width in the control colour.
void PaintBevel(QPainter& painter, TRect& r, Integer bevel, Integer width, TColor color)
{
    if (bevel == bvNone)
        return;
    TColor topLeft = color, bottomRight = color;
    if (bevel != bvSpace)
        BevelColors(bevel, topLeft, bottomRight);
    Frame3D(painter, r, topLeft, bottomRight, width);
}

} // namespace

void PaintPanelFrame(QPainter& painter, const QRect& rect, TColor color, Integer bevelOuter, Integer bevelInner,
                     Integer bevelWidth, Integer borderWidth)
{
    TRect r = Rect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1);
    FillRect(painter, r, color);
    PaintBevel(painter, r, bevelOuter, bevelWidth, color);
    Frame3D(painter, r, color, color, borderWidth);
    PaintBevel(painter, r, bevelInner, bevelWidth, color);
}

void PixelLine(QPainter& painter, Integer x0, Integer y0, Integer x1, Integer y1, const QColor& color)
{
    if (y0 == y1) {
        if (x0 != x1)
            painter.fillRect(QRect(x1 > x0 ? x0 : x1 + 1, y0, std::abs(x1 - x0), 1), color);
        return;
    }
    if (x0 == x1) {
        painter.fillRect(QRect(x0, y1 > y0 ? y0 : y1 + 1, 1, std::abs(y1 - y0)), color);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 1));
    painter.drawLine(x0, y0, x1, y1);
    painter.restore();
}

void WriteRawByte(TWriter& writer, Byte value)
{
    writer.Write(&value, 1);
}

Byte ReadRawByte(TReader& reader)
{
    Byte value = 0;
    reader.Read(&value, 1);
    return value;
}

void WriteRawLong(TWriter& writer, Cardinal value)
{
    const Byte bytes[4] = {static_cast<Byte>(value), static_cast<Byte>(value >> 8), static_cast<Byte>(value >> 16),
                           static_cast<Byte>(value >> 24)};
    writer.Write(bytes, sizeof bytes);
}

Cardinal ReadRawLong(TReader& reader)
{
    Byte b[4];
    reader.Read(b, sizeof b);
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<Cardinal>(b[3]) << 24;
}

void WriteRawWord(TWriter& writer, Integer value)
{
    const auto v = static_cast<std::uint16_t>(value);
    const Byte bytes[2] = {static_cast<Byte>(v & 0xFF), static_cast<Byte>(v >> 8)};
    writer.Write(bytes, sizeof bytes);
}

Integer ReadRawSmallInt(TReader& reader)
{
    Byte bytes[2];
    reader.Read(bytes, sizeof bytes);
    return static_cast<std::int16_t>(bytes[0] | bytes[1] << 8);
}

Integer ReadRawExtent(TReader& reader)
{
    return std::clamp(ReadRawSmallInt(reader), 0, MaxElementExtent);
}

Integer ReadFrameWidth(TReader& reader)
{
    return std::clamp(reader.ReadInteger(), 0, MaxElementExtent);
}

void WriteShortString(TWriter& writer, const AnsiString& text, std::size_t blockSize)
{
    std::vector<Byte> block(blockSize, 0);
    const std::size_t length = std::min(text.size(), blockSize - 1);
    block[0] = static_cast<Byte>(length);
    std::memcpy(block.data() + 1, text.data(), length);
    writer.Write(block.data(), block.size());
}

AnsiString ReadShortString(TReader& reader, std::size_t blockSize)
{
    std::vector<Byte> block(blockSize);
    reader.Read(block.data(), block.size());
    // A length beyond the block is cut to it.
    const std::size_t length = std::min<std::size_t>(block[0], blockSize - 1);
    return AnsiString(reinterpret_cast<const char*>(block.data() + 1), length);
}

void WriteLines(TWriter& writer, const std::vector<AnsiString>& lines)
{
    writer.WriteInteger(static_cast<Integer>(lines.size()));
    for (const AnsiString& line : lines)
        writer.WriteString(line);
}

void ReadLines(TReader& reader, std::vector<AnsiString>& lines)
{
    lines.clear();
    const Integer count = reader.ReadInteger();
    for (Integer i = 0; i < count; ++i)
        lines.push_back(reader.ReadString());
}

// ---- Creation

TFP_Element::TFP_Element() : HintergrundFarbe(PanelDefaultColor), color_(PanelDefaultColor)
{
    resize(185, 41);
    const TPoint place = AdvanceCascade();
    move(place.X, place.Y);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The container passes the element its page, z-order and edit mode.
    SetMouseTransparent(true);
}

TFP_Element::~TFP_Element() = default;

TPoint TFP_Element::AdvanceCascade()
{
    ElementCascade.X = std::max(ElementCascade.X, 32);
    ElementCascade.Y = std::max(ElementCascade.Y, 32);
    const TPoint place = ElementCascade;
    ElementCascade.X += 32;
    if (ElementCascade.X > 160) {
        ElementCascade.X = 32;
        ElementCascade.Y += 32;
        if (ElementCascade.Y > 160)
            ElementCascade = {32, 32};
    }
    return place;
}

IDesign* TFP_Element::Design() const
{
    return OwnerDesign;
}

void TFP_Element::SetMouseTransparent(bool transparent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents, transparent);
    for (QWidget* child : findChildren<QWidget*>())
        child->setAttribute(Qt::WA_TransparentForMouseEvents, transparent);
}

void TFP_Element::SetColor(TColor color)
{
    if (color_ == color)
        return;
    color_ = color;
    update();
}

void TFP_Element::SetFrontplattenNR(Integer page)
{
    page_ = page;
}

bool TFP_Element::GetBisteTransparent() const
{
    return transparent_;
}

void TFP_Element::SetBisteTransparent(bool transparent)
{
    transparent_ = transparent;
    update();
}

void TFP_Element::SetBounds(Integer left, Integer top, Integer width, Integer height)
{
    setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

void TFP_Element::SetHintergrundFarbe(TColor color)
{
    if (HintergrundFarbe == color)
        return;
    HintergrundFarbe = color;
    update();
    SetColor(color);
}

Integer TFP_Element::FrameWidth() const
{
    return BorderWidth + (BevelOuter != bvNone ? BevelWidth : 0) + (BevelInner != bvNone ? BevelWidth : 0);
}

// ---- Painting

void TFP_Element::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(painter);
    Paint(canvas);
}

void TFP_Element::Paint(TCanvas& canvas)
{
    QPainter& painter = *canvas.Painter();
    // Parked on the hidden panel of another page: neither in a container
    // nor in a selection frame (decorations have no owner design to ask).
    const QWidget* parent = parentWidget();
    const bool parked = parent && !dynamic_cast<const TDesign*>(parent) && !dynamic_cast<const TSizer*>(parent);
    if (GetBisteTransparent() && !parked) {
        if (Snapshot.isNull())
            painter.fillRect(rect(), ColorToQColor(PanelDefaultColor));
        else
            painter.drawPixmap(0, 0, Snapshot);
        return;
    }
    if (ColorFollowsPanel && color_ != PanelDefaultColor)
        color_ = PanelDefaultColor;
    PaintPanelFrame(painter, rect(), color_, BevelOuter, BevelInner, BevelWidth, BorderWidth);
    const TColor background = BackgroundFollowsPanel ? PanelDefaultColor : HintergrundFarbe;
    SetHintergrundFarbe(background);
    canvas.Brush.SetColor(background);
    canvas.Pen.Color = background;
    canvas.Pen.Width = 0;
    canvas.Pen.Style = TPenStyle::psSolid;
    const Integer w = FrameWidth();
    canvas.Rectangle(w, w, width() - w, height() - w);
}

void TFP_Element::DrawFocusMark(TCanvas& canvas) const
{
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = 0;
    canvas.Brush.SetColor(clRed);
    canvas.Polygon({{3, 0}, {5, 5}, {0, 3}});
}

void TFP_Element::PaintToBitmap(QImage& image)
{
    image = QImage(size(), QImage::Format_RGB32);
    render(&image);
}

void TFP_Element::GrabBackground()
{
    // What the container shows beneath the element: the container drawn
    // with the transparent elements hidden (the container hides them first).
    QWidget* container = parentWidget();
    while (container && !dynamic_cast<TDesign*>(container))
        container = container->parentWidget();
    if (!container || width() <= 0 || height() <= 0) {
        Snapshot = QPixmap();
        return;
    }
    const QRect area(mapTo(container, QPoint(0, 0)), size());
    const QRect visible = area & container->rect();
    Snapshot = QPixmap(size());
    Snapshot.fill(ColorToQColor(PanelDefaultColor));
    if (!visible.isEmpty()) {
        QPainter painter(&Snapshot);
        container->render(&painter, visible.topLeft() - area.topLeft(), QRegion(visible),
                          QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
}

// ---- Mouse and focus

void TFP_Element::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (userEdit || RuntimeAdjustable) {
        EditProperties();
        update();
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TFP_Element::mousePressEvent(QMouseEvent* event)
{
    if (isEnabled() && isVisible())
        setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void TFP_Element::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void TFP_Element::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

// ---- The record

void TFP_Element::WriteHotkeys(TWriter& writer) const
{
    for (const auto& hotkey : Hotkeys)
        hotkey->WriteData(writer);
}

void TFP_Element::ReadHotkeys(TReader& reader)
{
    for (const auto& hotkey : Hotkeys)
        hotkey->ReadData(reader);
}

void TFP_Element::WriteLook(TWriter& writer) const
{
    writer.WriteInteger(BorderWidth);
    writer.WriteInteger(BevelWidth);
    writer.WriteInteger(BevelInner);
    writer.WriteInteger(BevelOuter);
    writer.WriteInteger(static_cast<Integer>(HintergrundFarbe));
    writer.WriteInteger(static_cast<Integer>(color_));
    writer.WriteBoolean(ColorFollowsPanel);
    writer.WriteBoolean(BackgroundFollowsPanel);
}

void TFP_Element::ReadLook(TReader& reader)
{
    BorderWidth = ReadFrameWidth(reader);
    BevelWidth = ReadFrameWidth(reader);
    BevelInner = reader.ReadInteger();
    BevelOuter = reader.ReadInteger();
    HintergrundFarbe = static_cast<TColor>(reader.ReadInteger());
    SetColor(static_cast<TColor>(reader.ReadInteger()));
    ColorFollowsPanel = reader.ReadBoolean();
    BackgroundFollowsPanel = reader.ReadBoolean();
}

void TFP_Element::WriteWebTail(TWriter& writer)
{
    writer.WriteInteger(WebSortOrder);
    writer.WriteBoolean(GetPublish());
    writer.WriteBoolean(WebTitle);
    WriteLines(writer, HtmlHead);
    WriteLines(writer, HtmlFoot);
}

void TFP_Element::ReadWebTail(TReader& reader, Byte version)
{
    if (version < 43) {
        WebSortOrder = zOrder_;
        return;
    }
    WebSortOrder = reader.ReadInteger();
    Publish = reader.ReadBoolean();
    WebTitle = reader.ReadBoolean();
    ReadLines(reader, HtmlHead);
    ReadLines(reader, HtmlFoot);
    update();
}

void TFP_Element::WriteData(TStream&, TWriter& writer)
{
    writer.WriteInteger(zOrder_);
    writer.WriteBoolean(GetBisteTransparent());
    writer.WriteInteger(page_ - 10000);
    WriteRawWord(writer, width());
    WriteRawWord(writer, height());
    writer.WriteString(hint_);
    writer.WriteBoolean(RuntimeAdjustable);
    WriteLook(writer);
    WriteHotkeys(writer);
    WriteWebTail(writer);
}

void TFP_Element::ReadData(TStream&, TReader& reader, Byte version)
{
    zOrder_ = reader.ReadInteger();
    SetBisteTransparent(reader.ReadBoolean());
    if (version < 3)
        return;
    const Integer page = reader.ReadInteger();
    if (page < 0) {
        SetFrontplattenNR(page + 10000);
        const Integer w = ReadRawExtent(reader);
        const Integer h = ReadRawExtent(reader);
        SetBounds(x(), y(), w, h);
    } else {
        SetFrontplattenNR(page);
    }
    hint_ = reader.ReadString();
    RuntimeAdjustable = reader.ReadBoolean();
    if (version < 40)
        return;
    ReadLook(reader);
    ReadHotkeys(reader);
    ReadWebTail(reader, version);
}

// ---- Names, state and hotkeys

bool TFP_Element::MatchFullName(const AnsiString& prefix, const AnsiString& section)
{
    FullName = StateSection(prefix);
    return FullName == section;
}

void TFP_Element::CreateHotkeys(Integer count)
{
    for (Integer i = 0; i < count; ++i) {
        auto hotkey = std::make_unique<THotkey>();
        hotkey->OnPress = [this](THotkey* h) { HotkeyPressed(h); };
        hotkey->OnRelease = [this](THotkey* h) { HotkeyReleased(h); };
        Hotkeys.push_back(std::move(hotkey));
    }
}

void TFP_Element::HotkeyDown(Word key, Byte shift)
{
    for (const auto& hotkey : Hotkeys)
        hotkey->KeyDown(key, shift);
}

void TFP_Element::HotkeyUp(Word key, Byte)
{
    for (const auto& hotkey : Hotkeys)
        hotkey->KeyUp(key);
}

bool TFP_Element::CanPublish()
{
    if (GetPublish())
        return true;
    Publish = true;
    const bool can = GetPublish();
    Publish = false;
    return can;
}

void TFP_Element::ApplyAspectRatio()
{
    const long double r = GetAspectRatio();
    if (r <= 0)
        return;
    const Integer f = 2 * FrameWidth();
    resize(static_cast<Integer>(std::nearbyint(r * (height() - f))) + f, height());
}

// ---- Settings

TDefault_Dlg& TFP_Element::SettingsSheet(Integer helpContext) const
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(hint_);
    dlg.SetHelpContext(helpContext);
    return dlg;
}

Integer TFP_Element::ShowSettings(TDefault_Dlg& dlg)
{
    TPropScrollbox& props = *dlg.Props;
    props.AddCaption(Translate("Optionen"));
    AnsiString hint = hint_;
    props.AddEdit(Translate("Hinweistext"), hint, 0, 190);
    if (userEdit)
        props.AddCheck(Translate("Zur Laufzeit einstellbar"), RuntimeAdjustable);
    const Integer result = dlg.ShowModal();
    hint_ = hint;
    return result;
}

void TFP_Element::AddBackgroundRow(TColor& background) const
{
    if (!BackgroundFollowsPanel && !GetBisteTransparent())
        Default_Dlg().Props->AddColor(Translate("Hintergrund"), background);
}

// ---- Web settings

void TFP_Element::AddWebPage()
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(hint_);
    TPropScrollbox& props = *dlg.Props;
    props.AddCaption("Web");
    props.AddCheck(Translate(QStringToAnsi(QString::fromUtf8("Veröffentlichen"))), Publish);
    props.AddCheck(Translate("Titel"), WebTitle);
    props.AddSpin(Translate("Sortierung"), WebSortOrder, -1, 10000, 60);
    props.AddMemo("HTML (" + Translate("Kopf") + ")", HtmlHead, 250, 150);
    props.AddMemo("HTML (" + Translate("Fuss") + ")", HtmlFoot, 250, 150);
}

Integer TFP_Element::EditWebSettings()
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetHelpContext(48100);
    const Integer result = dlg.ShowModal();
    if (result == 1)
        WebSettingsChanged();
    return result;
}

// ---- Numbers for dialogs

AnsiString TFP_Element::FloatToText(long double value)
{
    return LocaliseDecimalSeparator(FormatGeneral(value, 8, 4));
}

long double TFP_Element::TextToFloat(const AnsiString& text)
{
    AnsiString t = text;
    if (const auto comma = t.find(','); comma != AnsiString::npos)
        t[comma] = '.';
    std::size_t i = t.find_first_not_of(' ');
    if (i == AnsiString::npos)
        return 0;
    bool negative = false;
    if (t[i] == '+' || t[i] == '-')
        negative = t[i++] == '-';
    // A plain decimal number only: no "inf", "nan" or hexadecimal.
    if (i >= t.size() || !(std::isdigit(static_cast<unsigned char>(t[i])) || t[i] == '.'))
        return 0;
    long double value = 0;
    std::from_chars(t.data() + i, t.data() + t.size(), value, std::chars_format::general);
    return negative ? -value : value;
}

// ---- The look dialog

void TFP_Element::ApplyLook(bool transparent, Integer inner, Integer outer, Integer border, Integer bevel,
                            bool backgroundFollows, TColor background, bool colorFollows, TColor color)
{
    SetBisteTransparent(transparent);
    BevelInner = inner;
    BevelOuter = outer;
    BorderWidth = border;
    BevelWidth = bevel;
    BackgroundFollowsPanel = backgroundFollows;
    SetHintergrundFarbe(background);
    ColorFollowsPanel = colorFollows;
    // After the background, so the frame colour is the one that stays.
    SetColor(color);
}

void TFP_Element::EditPanelLook()
{
    TPanelDlg& dlg = PanelDlg();
    const AnsiString caption = dlg.Caption();
    dlg.SetCaption(caption + " - " + hint_ + " " + elementName_);
    dlg.PanelDefaultColor = PanelDefaultColor;
    TPanelLook look;
    look.Transparent = GetBisteTransparent();
    look.InnerBevel = BevelInner;
    look.OuterBevel = BevelOuter;
    look.BorderWidth = BorderWidth;
    look.BevelWidth = BevelWidth;
    look.Color = color_;
    look.BackgroundColor = HintergrundFarbe;
    look.ColorFollowsPanel = ColorFollowsPanel;
    look.BackgroundFollowsPanel = BackgroundFollowsPanel;
    dlg.LoadLook(look);
    if (dlg.ShowModal() == 1) {
        dlg.StoreLook(look);
        ApplyLook(look.Transparent, look.InnerBevel, look.OuterBevel, look.BorderWidth, look.BevelWidth,
                  look.BackgroundFollowsPanel, look.BackgroundColor, look.ColorFollowsPanel, look.Color);
    }
    dlg.SetCaption(caption);
    update();
}
