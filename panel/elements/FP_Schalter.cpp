#include "panel/elements/FP_Schalter.h"

#include "engine/Hotkey.h"
#include "engine/Language.h"
#include "panel/elements/DLG_Schalter_Taster.h"
#include "panel/elements/SwitchPictures.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/Stream.h"

#include <QBuffer>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>

namespace {

constexpr Integer HotkeyCount = 10;
// Within a web press a push button stays on at least this long.
constexpr Cardinal WebPressMilliseconds = 250;
// The largest picture file a record may hold: beyond it only a damaged file.
constexpr Cardinal MaxPictureFileSize = 64u * 1024u * 1024u;
constexpr Integer MaxFontHeight = 1000;
// The lamp rims the settings dialog offers.
constexpr Integer MaxLampRim = 8;

// Space, Page Up, Page Down, End and Home operate the focused element.
bool OperatingKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End ||
           key == Qt::Key_Home;
}

QByteArray BitmapFileBytes(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage image = picture.isNull() ? QImage(1, 1, QImage::Format_RGB32) : picture;
    if (picture.isNull()) image.fill(Qt::white);
    QImageWriter out(&buffer, "BMP");
    if (!out.write(image)) throw EStreamError("Bitmap konnte nicht geschrieben werden");
    return bytes;
}


// A picture as a complete bitmap file.
void WriteBitmapFile(TWriter& writer, const QImage& picture)
{
    const QByteArray bytes = BitmapFileBytes(picture);
    writer.Write(bytes.constData(), std::size_t(bytes.size()));
}

// One bitmap file from the stream; the file's own size tells where it ends.
QImage ReadBitmapFile(TReader& reader)
{
    Byte header[14];
    reader.Read(header, sizeof header);
    const Cardinal size = Cardinal(header[2]) | Cardinal(header[3]) << 8 | Cardinal(header[4]) << 16 |
                          Cardinal(header[5]) << 24;
    if (header[0] != 'B' || header[1] != 'M' || size < sizeof header + 40 || size > MaxPictureFileSize)
        throw EReadError("Ungültige Bitmap im Schalter");
    QByteArray bytes(int(size), '\0');
    std::memcpy(bytes.data(), header, sizeof header);
    reader.Read(bytes.data() + sizeof header, size - sizeof header);
    QImage image;
    if (!image.loadFromData(bytes, "BMP") || image.isNull()) throw EReadError("Ungültige Bitmap im Schalter");
    return image;
}

} // namespace

QFont ButtonQFont(const TFont& font)
{
    QFont f(QString::fromLatin1(font.Name.c_str()));
    // Negative heights are the character height, positive the cell height.
    f.setPixelSize(std::max(1, std::abs(font.Height)));
    f.setBold(font.Style & fsBold);
    f.setItalic(font.Style & fsItalic);
    f.setUnderline(font.Style & fsUnderline);
    f.setStrikeOut(font.Style & fsStrikeOut);
    return f;
}

bool FitsSwitchRecord(const QImage& picture)
{
    return Cardinal(BitmapFileBytes(picture).size()) <= MaxPictureFileSize;
}

TSchalter::TSchalter()
{
    BackgroundFollowsPanel = true;
    BorderWidth = 3;
    SetFarbe(schwarz);
    SetTyp(Kippschalter2);

    Lamp = new TIAgaloLED(this);
    Lamp->setEnabled(false);
    Lamp->setAttribute(Qt::WA_TransparentForMouseEvents);
    Lamp->hide();
    Lamp->setCursor(Qt::PointingHandCursor);

    Button = new TGradBtn(this);
    Button->hide();
    Button->SetBeginColor(0xC0C0C0);
    Button->SetEndColor(0x808080);
    Button->SetGradientStyle(gsHorizontal);
    Button->SetSwapColors(false);
    Button->SetShowFocus(false);
    Button->BisteKnopf = true;
    Button->SetCaption("Click");
    Button->setFocusPolicy(Qt::NoFocus);   // the element holds the focus
    Button->setCursor(Qt::PointingHandCursor);
    Button->OnDblClick = [this](QMouseEvent* e) { mouseDoubleClickEvent(e); };
    Button->OnMouseDown = [this](QMouseEvent* e) { mousePressEvent(e); };
    Button->OnMouseUp = [this](QMouseEvent* e) { mouseReleaseEvent(e); };
    ButtonFont.Name = QFont().family().toStdString();

    look_ = LookPicture;
    setCursor(Qt::PointingHandCursor);
    SetHint(ByLanguage<AnsiString>("Schalter", "Switch", "Interrupteur"));
    setFocusPolicy(Qt::StrongFocus);

    CreateHotkeys(HotkeyCount);
    SetTaster(false);
    AlignChildren();
}

TSchalter::~TSchalter() = default;

void TSchalter::BuildActionList()
{
    if (taster_)
        ExtraList = {" --- ", "= PSH"};
    else
        ExtraList = {" ---", "= TOG", "= ON", "= OFF", "= RST"};
}

void TSchalter::SetTaster(bool taster)
{
    taster_ = taster;
    if (taster) {
        SetHint(ByLanguage<AnsiString>("Taster", "Push button", "Bouton-poussoir"));
        SetTyp(Druckschalter);
    }
    BuildActionList();
}

// ---- State

bool TSchalter::GetEingeschaltet()
{
    const bool state = state_;
    if (WebPressTime != 0 && Cardinal(GetTickCount() - WebPressTime) > WebPressMilliseconds) {
        // The read that ends the press still sees it on.
        WebPressTime = 0;
        SetEingeschaltet(false);
    }
    return state;
}

void TSchalter::SetEingeschaltet(bool on)
{
    if (on == state_)
        return;
    state_ = on;
    if (look_ == LookButton)
        Button->SetDown(on);
    update();
    if (look_ == LookButton)
        Button->update();
    if (look_ == LookLamp) {
        Lamp->SetLedOn(on);
        Lamp->SetOuterBorderStyle(on ? iablsDown : iablsUp);
        Lamp->RequestRepaint();
    }
}

// ---- Pictures and look

void TSchalter::SetFarbe(TFarbe farbe)
{
    farbe_ = farbe < SwitchColourCount ? farbe : schwarz;
    LoadPictures();
}

void TSchalter::SetTyp(TSchalterTyp typ)
{
    typ_ = typ < SwitchTypeCount ? typ : Kippschalter;
    LoadPictures();
}

void TSchalter::LoadPictures()
{
    OffPicture = SwitchPicture(farbe_, typ_, false);
    OnPicture = SwitchPicture(farbe_, typ_, true);
    for (QImage* picture : {&OffPicture, &OnPicture}) {
        switch (Turn & 3) {
        case 1: RotateBitmap90Right(*picture); break;
        case 2: RotateBitmap180(*picture); break;
        case 3: RotateBitmap90Left(*picture); break;
        default: break;
        }
    }
    picturesTransparent_ = SwitchTypeTransparent(typ_);
    RefreshTransparentPictures();
    if (!GetBisteHSkalierbar()) {
        const Integer f = FrameWidth();
        resize(OffPicture.width() + 2 * f, OffPicture.height() + 2 * f);
    }
    update();
}

void TSchalter::RefreshTransparentPictures()
{
    onShown_ = picturesTransparent_ ? KeyedTransparent(OnPicture) : OnPicture;
    offShown_ = picturesTransparent_ ? KeyedTransparent(OffPicture) : OffPicture;
}

const QImage& TSchalter::Shown(bool on) const
{
    return on ? onShown_ : offShown_;
}

void TSchalter::SetLook(Integer look)
{
    look_ = std::clamp(look, 0, 3);
    Button->setVisible(look_ == LookButton);
    Lamp->setVisible(look_ == LookLamp);
    if (look_ == LookButton && Button->Down() != state_)
        Button->SetDown(state_);
    if (look_ == LookLamp) {
        Lamp->SetLedOn(state_);
        Lamp->SetOuterBorderStyle(state_ ? iablsDown : iablsUp);
    }
    if (look_ == LookPicture)
        LoadPictures();
    AlignChildren();
    update();
}

void TSchalter::AlignChildren()
{
    const QRect inside = rect();
    Button->setGeometry(inside);
    Lamp->SetBounds(inside);
}

void TSchalter::resizeEvent(QResizeEvent* event)
{
    TFP_Element::resizeEvent(event);
    AlignChildren();
}

bool TSchalter::GetBisteHSkalierbar() const
{
    return look_ != LookPicture || SwitchTypeSizeable(typ_);
}

void TSchalter::SetBisteTransparent(bool transparent)
{
    TFP_Element::SetBisteTransparent(transparent);
    if (look_ == LookPicture || look_ == LookUser) {
        picturesTransparent_ = transparent || look_ == LookPicture;
        RefreshTransparentPictures();
    }
}

void TSchalter::EditPanelLook()
{
    TFP_Element::EditPanelLook();
    LoadPictures();
}

Integer TSchalter::EditProperties()
{
    TSchalterDlg dlg;
    dlg.FillFrom(*this);
    const Integer result = dlg.ShowModal();
    if (result == mrOk)
        dlg.ApplyTo(*this);
    update();
    return result;
}

void TSchalter::Paint(TCanvas& canvas)
{
    TFP_Element::Paint(canvas);
    QPainter& painter = *canvas.Painter();
    const Integer f = FrameWidth();
    const QRect r = rect().adjusted(f, f, -f, -f);
    const bool on = GetEingeschaltet();
    if (look_ == LookPicture) {
        const QImage& picture = Shown(on);
        if (GetBisteHSkalierbar())
            painter.drawImage(r, picture);
        else
            painter.drawImage(QPoint(f, f), picture);
    } else if (look_ == LookUser) {
        painter.drawImage(r, Shown(on));
    } else if (look_ == LookLamp) {
        Lamp->BackgroundPicture = &Snapshot;
    }
    if (hasFocus())
        DrawFocusMark(canvas);
}

// ---- Operating

void TSchalter::Press()
{
    if (taster_)
        SetEingeschaltet(true);
    else
        SetEingeschaltet(!state_);
}

void TSchalter::Release()
{
    if (taster_)
        SetEingeschaltet(false);
}

void TSchalter::mousePressEvent(QMouseEvent* event)
{
    TFP_Element::mousePressEvent(event);   // takes the focus
    // Qt keeps delivering the mouse to the widget that took the press until
    // the release (also outside it): that is the push button's capture.
    if (event->button() == Qt::LeftButton)
        Press();
}

void TSchalter::mouseReleaseEvent(QMouseEvent* event)
{
    TFP_Element::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        Release();
}

void TSchalter::keyPressEvent(QKeyEvent* event)
{
    // Every key-down acts, the keyboard's repeats of a held key included: a
    // switch toggles again on Space, a push button stays on.
    const int key = event->key();
    if (!OperatingKey(key))
        TFP_Element::keyPressEvent(event);
    else if (taster_ || key == Qt::Key_Space)
        Press();
    else
        SetEingeschaltet(key == Qt::Key_PageUp || key == Qt::Key_End);
}

void TSchalter::keyReleaseEvent(QKeyEvent* event)
{
    if (!OperatingKey(event->key()))
        TFP_Element::keyReleaseEvent(event);
    // The releases between a held key's repeats do not end a push: the key is still down.
    else if (!event->isAutoRepeat())
        Release();
}

void TSchalter::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (taster_ || !hasFocus())
        return;
    const int delta = event->angleDelta().y();
    if (delta > 0)
        SetEingeschaltet(true);
    else if (delta < 0)
        SetEingeschaltet(false);
}

void TSchalter::HotkeyPressed(THotkey* hotkey)
{
    switch (hotkey->ActionIndex) {
    case 1: Press(); break;
    case 2: SetEingeschaltet(true); break;
    case 3: SetEingeschaltet(false); break;
    case 4: ResetToDefault(); break;
    default: break;
    }
}

void TSchalter::HotkeyReleased(THotkey* hotkey)
{
    if (hotkey->ActionIndex == 1)
        Release();
}

void TSchalter::WebAction(Integer code)
{
    if (code != 2)
        return;
    if (taster_) {
        SetEingeschaltet(true);
        // 0 means no press: a tick count of 0 is taken as 1.
        WebPressTime = std::max<Cardinal>(GetTickCount(), 1);
    } else {
        SetEingeschaltet(!state_);
    }
}

// ---- Run-time state

void TSchalter::SaveState(TCustomIniFile& file, const AnsiString& prefix)
{
    if (taster_)
        return;
    file.WriteBool(StateSection(prefix), "Status", state_);
}

bool TSchalter::LoadState(TCustomIniFile& file, const AnsiString& prefix, bool checkOnly)
{
    if (taster_)
        return true;
    const AnsiString section = StateSection(prefix);
    if (checkOnly)
        return file.ValueExists(section, "Status");
    SetEingeschaltet(file.ReadBool(section, "Status", DefaultState));
    return true;
}

// ---- The record

void TSchalter::ApplyButtonFont()
{
    Button->setFont(ButtonQFont(ButtonFont));
    Button->SetFontColor(ButtonFont.Color);
}

void TSchalter::WriteData(TStream& stream, TWriter& writer)
{
    TFP_Element::WriteData(stream, writer);
    WriteRawByte(writer, farbe_);
    WriteRawByte(writer, typ_);
    writer.WriteBoolean(DefaultState);
    writer.WriteBoolean(look_ == LookButton);
    writer.WriteString(Button->Caption().toStdString());
    // The released look's colours, whatever the button shows now.
    const bool swapped = Button->Down();
    WriteRawLong(writer, swapped ? Button->EndColor() : Button->BeginColor());
    WriteRawLong(writer, swapped ? Button->BeginColor() : Button->EndColor());
    WriteRawByte(writer, Button->GradientStyle() == gsVertical ? 1 : 0);
    WriteRawByte(writer, Button->TextStyle());
    writer.WriteInteger(width());
    writer.WriteInteger(height());
    WriteShortString(writer, ButtonFont.Name.substr(0, 31), 32);
    WriteRawWord(writer, ButtonFont.Height);
    WriteRawByte(writer, ButtonFont.Style & (fsBold | fsItalic | fsUnderline | fsStrikeOut));
    WriteRawLong(writer, ButtonFont.Color);
    WriteRawWord(writer, look_);
    WriteRawByte(writer, Turn);
    if (look_ == LookUser) {
        WriteBitmapFile(writer, OnPicture);
        WriteBitmapFile(writer, OffPicture);
    } else if (look_ == LookLamp) {
        WriteRawLong(writer, Lamp->LedPlasticColor());
        WriteRawByte(writer, Lamp->LedClass());
        writer.WriteInteger(Lamp->Angle());
        writer.WriteInteger(Lamp->OuterBorderDepth());
    }
}

void TSchalter::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TFP_Element::ReadData(stream, reader, version);
    const Byte farbe = ReadRawByte(reader);
    const Byte typ = ReadRawByte(reader);
    DefaultState = reader.ReadBoolean();
    farbe_ = farbe < SwitchColourCount ? TFarbe(farbe) : schwarz;
    typ_ = typ < SwitchTypeCount ? TSchalterTyp(typ) : Kippschalter;
    LoadPictures();
    // The look colours follow the state from here on: start released.
    if (Button->Down())
        Button->SetDown(false);
    state_ = false;
    Integer look = LookPicture;
    if (version >= 2) {
        if (reader.ReadBoolean())
            look = LookButton;
        Button->SetCaption(QString::fromStdString(reader.ReadString()));
        const TColor begin = ReadRawLong(reader);
        const TColor end = ReadRawLong(reader);
        Button->SetBeginColor(begin);
        Button->SetEndColor(end);
        Button->SetGradientStyle(ReadRawByte(reader) == 1 ? gsVertical : gsHorizontal);
        const Byte textStyle = ReadRawByte(reader);
        Button->SetTextStyle(textStyle <= tsInset ? TTextStyle(textStyle) : tsRaised);
        Button->SetTxtHiliteClr(begin);
        Button->SetTxtShadowClr(end);
        const Integer w = std::clamp(reader.ReadInteger(), 0, MaxElementExtent);
        const Integer h = std::clamp(reader.ReadInteger(), 0, MaxElementExtent);
        SetBounds(x(), y(), w, h);
        ButtonFont.Name = ReadShortString(reader, 32);
        ButtonFont.Height = std::clamp(ReadRawSmallInt(reader), -MaxFontHeight, MaxFontHeight);
        ButtonFont.Style = ReadRawByte(reader) & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
        ButtonFont.Color = ReadRawLong(reader);
        ApplyButtonFont();
    }
    look_ = look;
    if (version >= 3) {
        look = std::clamp(ReadRawSmallInt(reader), 0, 3);
        Turn = ReadRawByte(reader) & 3;
        look_ = look;
        if (look_ == LookPicture)
            LoadPictures();
        if (look_ == LookUser) {
            // Read both before taking either: a damaged second picture
            // leaves the element as it was.
            QImage on = ReadBitmapFile(reader);
            QImage off = ReadBitmapFile(reader);
            OnPicture = std::move(on);
            OffPicture = std::move(off);
            picturesTransparent_ = GetBisteTransparent();
            RefreshTransparentPictures();
        } else if (look_ == LookLamp) {
            Lamp->SetLedPlasticColor(ReadRawLong(reader));
            const Byte shape = ReadRawByte(reader);
            Lamp->SetLedClass(shape <= ialcTrapezium ? TIALedClass(shape) : ialcRect);
            Lamp->SetAngle(reader.ReadInteger());
            Lamp->SetOuterBorderDepth(std::clamp(reader.ReadInteger(), 0, MaxLampRim));
        }
    } else if (look_ == LookPicture) {
        LoadPictures();
    }
    SetLook(look_);
    // Through both states once, so every look shows the default state.
    SetEingeschaltet(!DefaultState);
    SetEingeschaltet(DefaultState);
    AlignChildren();
    update();
}
