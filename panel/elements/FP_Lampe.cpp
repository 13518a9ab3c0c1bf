#include "panel/elements/FP_Lampe.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cmath>

namespace {

// Sizes and rim widths a file may bring; beyond them only a damaged file.
constexpr Integer MaxLampSize = 2048;
constexpr Integer MaxRimWidth = 6;

Integer RoundEven(long double v)
{
    return static_cast<Integer>(std::nearbyint(v));
}

} // namespace

TPLampe::TPLampe()
{
    Renderer = new TIAgaloLED(this);
    Renderer->SetLedPlasticDepth(1);
    // Mouse input goes to the element.
    Renderer->setEnabled(false);
    Renderer->setAttribute(Qt::WA_TransparentForMouseEvents);
    setMinimumSize(16, 16);
    resize(32, 32);
    AlignRenderer();
    SetHint(ByLanguage<AnsiString>("Plastiklampe", "Plastic lamp", "Lampe plastique"));
    BaseColor = Renderer->LedPlasticColor();
}

TPLampe::~TPLampe() = default;

void TPLampe::SetRendererAligned(bool aligned)
{
    aligned_ = aligned;
    if (aligned)
        AlignRenderer();
}

void TPLampe::AlignRenderer()
{
    const Integer w = FrameWidth();
    Renderer->SetBounds(QRect(w, w, std::max(width() - 2 * w, 0), std::max(height() - 2 * w, 0)));
}

void TPLampe::resizeEvent(QResizeEvent* event)
{
    TFP_Element::resizeEvent(event);
    if (aligned_)
        AlignRenderer();
}

// ---- Voltage and colour

void TPLampe::SetEingeschaltet(bool on)
{
    if (on == Eingeschaltet)
        return;
    Eingeschaltet = on;
    Renderer->SetLedOn(on);
    Renderer->RequestRepaint();
}

void TPLampe::SetNennSpannung(Extended volts)
{
    NennSpannung = volts;
    SetIstSpannung(volts);
    Renderer->RequestRepaint();
}

void TPLampe::SetIstSpannung(Extended u)
{
    u = std::fabs(u);
    if (u > 2 * NennSpannung)
        u = 2 * NennSpannung;
    if (!(u >= 0))
        u = 0;
    if (u == LastVoltage)
        return;
    LastVoltage = u;
    IstSpannung = u;
    Eingeschaltet = true;
    Renderer->SetLedOn(true);

    Integer channel[3] = {static_cast<Integer>(BaseColor & 0xFF), static_cast<Integer>((BaseColor >> 8) & 0xFF),
                          static_cast<Integer>((BaseColor >> 16) & 0xFF)};
    if (IstSpannung <= NennSpannung || !(NennSpannung > 0)) {
        // Dimmed; below half the nominal voltage 30 %. A lamp without a
        // positive nominal voltage has no ratio and shows the same.
        double q = NennSpannung > 0 ? static_cast<double>(IstSpannung / NennSpannung) : 0.3;
        if (!(q >= 0.5))
            q = 0.3;
        for (Integer& c : channel)
            c = std::max(RoundEven(c * q), 0);
    } else {
        // Overdriven: all channels rise alike, the strongest reaches 255 at
        // twice the nominal voltage.
        const Integer k = 255 - std::max({channel[0], channel[1], channel[2]});
        const Extended e = (IstSpannung - NennSpannung) / NennSpannung;
        for (Integer& c : channel)
            c = std::min(RoundEven(c + k * e), 255);
    }
    // Rendered when the panel is next painted: a voltage that changes in
    // every step costs the colour computation only.
    Renderer->SetLedPlasticColorLater(static_cast<TColor>(channel[0] | channel[1] << 8 | channel[2] << 16));
}

// ---- Painting

void TPLampe::Paint(TCanvas& canvas)
{
    TFP_Element::Paint(canvas);
    // The renderer composes itself over what lies beneath the element.
    Renderer->BackgroundPicture = &Snapshot;
}

// ---- The record

void TPLampe::WriteData(TStream& stream, TWriter& writer)
{
    TFP_Element::WriteData(stream, writer);
    writer.WriteInteger(width());
    writer.WriteInteger(height());
    const Byte colour[4] = {static_cast<Byte>(BaseColor), static_cast<Byte>(BaseColor >> 8),
                            static_cast<Byte>(BaseColor >> 16), static_cast<Byte>(BaseColor >> 24)};
    writer.Write(colour, sizeof colour);
    const Byte ledClass = Renderer->LedClass();
    writer.Write(&ledClass, 1);
    writer.WriteInteger(Renderer->Angle());
    writer.WriteInteger(Renderer->OuterBorderDepth());
    const Byte style = Renderer->OuterBorderStyle();
    writer.Write(&style, 1);
    writer.WriteFloat(NennSpannung);
}

void TPLampe::ReadData(TStream& stream, TReader& reader, Byte version)
{
    SetRendererAligned(false);
    TFP_Element::ReadData(stream, reader, version);
    const Integer w = std::clamp(reader.ReadInteger(), 16, MaxLampSize);
    const Integer h = std::clamp(reader.ReadInteger(), 16, MaxLampSize);
    SetBounds(x(), y(), w, h);
    Byte colour[4];
    reader.Read(colour, sizeof colour);
    BaseColor = colour[0] | colour[1] << 8 | colour[2] << 16 | static_cast<TColor>(colour[3]) << 24;
    Byte ledClass = 0;
    reader.Read(&ledClass, 1);
    Renderer->SetLedClass(static_cast<TIALedClass>(ledClass));
    Renderer->SetAngle(reader.ReadInteger());
    Renderer->SetOuterBorderDepth(std::clamp(reader.ReadInteger(), 0, MaxRimWidth));
    Byte style = 0;
    reader.Read(&style, 1);
    Renderer->SetOuterBorderStyle(static_cast<TIABorderLedStyle>(style));
    SetRendererAligned(true);
    if (version >= 3)
        SetNennSpannung(reader.ReadFloat());
    update();
}

// ---- Settings

Integer TPLampe::EditProperties()
{
    const std::vector<AnsiString> rims = {Translate("Erhöhung"_ansi), Translate("Vertiefung"), Translate("Kein")};
    const std::vector<AnsiString> rotations = {"0\xB0", "90\xB0", "180\xB0", "270\xB0"};
    const std::vector<AnsiString> shapes = {Translate("Rechteck"), Translate("Kreis"),     Translate("Raute"),
                                            Translate("Halbkreis"), Translate("Dreieck"), Translate("Trapez")};
    TDefault_Dlg& dlg = SettingsSheet(18015);
    TPropScrollbox& props = *dlg.Props;
    AnsiString volts = FloatToText(NennSpannung);
    props.AddEdit(Translate("Spannung") + " [V]", volts, 0, 64);
    TColor colour = BaseColor;
    props.AddColor(Translate("Farbe"), colour);
    Integer shape = Renderer->LedClass();
    props.AddCombo(Translate("Form"), shape, shapes, 120);
    Integer rotation = Renderer->Angle() / 900;
    while (rotation < 0)
        rotation += 4;
    props.AddCombo(Translate("Drehung"), rotation, rotations, 64);
    props.AddCaption(Translate("Rand"));
    Integer rim = Renderer->OuterBorderStyle();
    props.AddCombo(Translate("Stil"), rim, rims, 120);
    Integer rimWidth = Renderer->OuterBorderDepth();
    props.AddSpin(Translate("Breite"), rimWidth, 0, MaxRimWidth, 64);
    const Integer result = ShowSettings(dlg);

    // Applied whatever the result (the rows changed only on OK). The detour
    // through another voltage recolours even an unchanged value.
    BaseColor = colour;
    SetNennSpannung(TextToFloat(volts) + 1);
    SetNennSpannung(NennSpannung - 1);
    SetRendererAligned(false);
    if (shape >= 0 && shape <= ialcTrapezium)
        Renderer->SetLedClass(static_cast<TIALedClass>(shape));
    if (rotation >= 0 && rotation <= 3)
        Renderer->SetAngle(rotation * 900);
    if (rim >= 0 && rim <= iablsNone)
        Renderer->SetOuterBorderStyle(static_cast<TIABorderLedStyle>(rim));
    Renderer->SetOuterBorderDepth(std::clamp(rimWidth, 0, MaxRimWidth));
    SetRendererAligned(true);
    update();
    return result;
}
