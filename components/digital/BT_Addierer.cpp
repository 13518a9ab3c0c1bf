#include "components/digital/BT_Addierer.h"

namespace {

const TWortRow Words[] = {
    {.Component = {.Class = RowClass<TAddierer>("TBTADD2"),
                   .TypeName = {"2-bit-Volladdierer", "Full adder (2 bit)", "Additionneur\rcomplet 2 bits"},
                   .Designator = "2ADD",
                   .HelpContext = 18375,
                   .Inputs = {.Count = 5},
                   .Outputs = {.Count = 3}},
     .BodyText = {{"Addierer (2)", "Full Adder", "Additionneur"}},
     .Bits = 2},
    {.Component = {.Class = RowClass<TAddierer>("TBTADD4"),
                   .TypeName = {"4-bit-Volladdierer", "Full adder (4 bit)", "Additionneur\rcomplet 4 bits"},
                   .Designator = "4ADD",
                   .HelpContext = 18375,
                   .Inputs = {.Count = 9},
                   .Outputs = {.Count = 5}},
     .BodyText = {{"Addierer (4)", "Full adder (4)", "Additionneur (4)"}},
     .Bits = 4},
    {.Component = {.Class = RowClass<TAddierer>("TBTADD8"),
                   .TypeName = {"8-bit-Volladdierer", "Full adder (8 bit)", "Additionneur\rcomplet 8 bits"},
                   .Designator = "8ADD",
                   .HelpContext = 18375,
                   .Inputs = {.Count = 17},
                   .Outputs = {.Count = 9}},
     .BodyText = {{"Addierer (8)", "Full Adder (8)", "Additionneur (8)"}},
     .Bits = 8},
    {.Component = {.Class = RowClass<TVergleicher>("TBTVGL4"),
                   .TypeName = {"4-bit Vergleicher", "Comparator (4 bit)", "Comparateur\r4 bits"},
                   .Designator = "VGL",
                   .HelpContext = 18380,
                   .Inputs = {.Count = 11},
                   .Outputs = {.Count = 3, .Names = "A=B,A>B,A<B"}},
     .BodyText = {{"Vergleicher (4)", "Comparator (4)", "Comparateur (4)"}},
     .Designators = {{"VGL", "CMP", "CMP"}},
     .Bits = 4},
    {.Component = {.Class = RowClass<TVergleicher>("TBTVGL8"),
                   .TypeName = {"8-bit Vergleicher", "Comparator (8 bit)", "Comparateur\r8 bits"},
                   .Designator = "VGL",
                   .HelpContext = 18380,
                   .Inputs = {.Count = 19},
                   .Outputs = {.Count = 3, .Names = "A=B,A>B,A<B"}},
     .BodyText = {{"Vergleicher (8)", "Comparator (8)", "Comparateur (8)"}},
     .Designators = {{"VGL", "CMP", "CMP"}},
     .Bits = 8},
};

constexpr const char* CascadeNames[] = {"A<B", "A>B", "A=B"};

} // namespace

TWortBT::TWortBT(const TComponentRow& row) : TGrundBT(row), info_(FamilyRow<TWortRow>(row)), bits_(info_.Bits)
{
    if (info_.Designators.Text[0])
        Designator = info_.Designators.Pick();
}

TRowList AddiererRows()
{
    return RowList(Words);
}

void TWortBT::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, info_.BodyText.Pick(), FigureColor());
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

void TVergleicher::InputsCreated()
{
    NameWordInputs();
    for (Integer i = 2 * bits_; i < InputCount && i < 2 * bits_ + 3; ++i)
        Inputs[i].Name = CascadeNames[i - 2 * bits_];
}
