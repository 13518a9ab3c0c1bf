#include "components/digital/BT_Addierer.h"

#include "engine/AnsiLiteral.h"
#include "platform/Stream.h"

namespace {

const TAddiererInfo ADD2Info{{{"2-bit-Volladdierer", "Full adder (2 bit)", "Additionneur\rcomplet 2 bits"}},
                             {{"Addierer (2)", "Full Adder", "Additionneur"}},
                             {{"2ADD", "2ADD", "2ADD"}},
                             2};
const TAddiererInfo ADD4Info{{{"4-bit-Volladdierer", "Full adder (4 bit)", "Additionneur\rcomplet 4 bits"}},
                             {{"Addierer (4)", "Full adder (4)", "Additionneur (4)"}},
                             {{"4ADD", "4ADD", "4ADD"}},
                             4};
const TAddiererInfo ADD8Info{{{"8-bit-Volladdierer", "Full adder (8 bit)", "Additionneur\rcomplet 8 bits"}},
                             {{"Addierer (8)", "Full Adder (8)", "Additionneur (8)"}},
                             {{"8ADD", "8ADD", "8ADD"}},
                             8};
const TAddiererInfo VGL4Info{{{"4-bit Vergleicher", "Comparator (4 bit)", "Comparateur\r4 bits"}},
                             {{"Vergleicher (4)", "Comparator (4)", "Comparateur (4)"}},
                             {{"VGL", "CMP", "CMP"}},
                             4};
const TAddiererInfo VGL8Info{{{"8-bit Vergleicher", "Comparator (8 bit)", "Comparateur\r8 bits"}},
                             {{"Vergleicher (8)", "Comparator (8)", "Comparateur (8)"}},
                             {{"VGL", "CMP", "CMP"}},
                             8};

constexpr const char* CascadeNames[] = {"A<B", "A>B", "A=B"};
constexpr const char* ComparisonNames[] = {"A=B", "A>B", "A<B"};

} // namespace

void TWortBT::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, info_.BodyText.Pick(), Selected ? SymbolRed : 0);
}

void TWortBT::ReadData(TStream& stream, TReader& reader, Byte version)
{
    ReadFixedPinsRecord(*this, stream, reader, version);
}

void TWortBT::ResetForStart()
{
    for (Integer o = 0; o < OutputCount; ++o)
        SetOutputLogic(o, false);
}

void TWortBT::NameWordInputs()
{
    for (Integer i = 0; i < InputCount && i < 2 * bits_; ++i)
        Inputs[i].Name = (i < bits_ ? "A" : "B") + std::to_string(i % bits_);
}

TAddierer::TAddierer(const TAddiererInfo& info) : TWortBT(info)
{
    SetInputCount(2 * info.Bits + 1);
    SetOutputCount(info.Bits + 1);
    Designator = info.Designator.Pick();
    HelpContext = 18375;
}

void TAddierer::InputsCreated()
{
    NameWordInputs();
    for (Integer i = 2 * bits_; i < InputCount; ++i)
        Inputs[i].Name = "C0";
}

void TAddierer::OutputsCreated()
{
    for (Integer o = 0; o < OutputCount; ++o)
        Outputs[o].Name = o == 0 ? "C" + std::to_string(bits_) : "S" + std::to_string(bits_ - o);
}

TVergleicher::TVergleicher(const TAddiererInfo& info) : TWortBT(info)
{
    SetInputCount(2 * info.Bits + 3);
    SetOutputCount(3);
    Designator = info.Designator.Pick();
    HelpContext = 18380;
}

void TVergleicher::InputsCreated()
{
    NameWordInputs();
    for (Integer i = 2 * bits_; i < InputCount && i < 2 * bits_ + 3; ++i)
        Inputs[i].Name = CascadeNames[i - 2 * bits_];
}

void TVergleicher::OutputsCreated()
{
    for (Integer o = 0; o < OutputCount && o < 3; ++o)
        Outputs[o].Name = ComparisonNames[o];
}

TBTADD2::TBTADD2() : TAddierer(ADD2Info) {}
TBTADD4::TBTADD4() : TAddierer(ADD4Info) {}
TBTADD8::TBTADD8() : TAddierer(ADD8Info) {}
TBTVGL4::TBTVGL4() : TVergleicher(VGL4Info) {}
TBTVGL8::TBTVGL8() : TVergleicher(VGL8Info) {}
