#include "components/digital/BT_Speicher.h"

#include "components/digital/DLG_Speicher.h"
#include "components/digital/HexDatei.h"
#include "engine/Globals.h"
#include "platform/AnsiText.h"
#include "ui/controls/UCLBrowseEdit.h"
#include "platform/Paths.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cstring>

#include <QCheckBox>
#include <QComboBox>

namespace {

constexpr Integer DataBits = 8;
constexpr TPinSide DataOutputs{.Count = DataBits, .Names = "D7,D6,D5,D4,D3,D2,D1,D0"};

// Made with 256 bytes and 1 KB; a record may bring 0 to 16 address lines.
const TComponentRow Memories[] = {
    {.Class = RowClass<TBTRAM>("TBTRAM"),
     .TypeName = {"RAM", "RAM", "RAM"},
     .Designator = "RAM",
     .HelpContext = 18385,
     .HasDialog = true,
     .Inputs = {.Count = 8 + DataBits + 1, .Min = DataBits + 1, .Max = 16 + DataBits + 1},
     .Outputs = DataOutputs},
    {.Class = RowClass<TBTROM>("TBTROM"),
     .TypeName = {"ROM", "ROM", "ROM"},
     .Designator = "ROM",
     .HelpContext = 18390,
     .HasDialog = true,
     .Inputs = {.Count = 10, .Min = 0, .Max = 16},
     .Outputs = DataOutputs},
};

} // namespace

TRowList SpeicherRows()
{
    return RowList(Memories);
}

Word TSpeicher::AddressMask() const
{
    const Integer k = std::min<Integer>(AddressLines(), 16);
    return static_cast<Word>((1u << k) - 1u);
}

Integer TSpeicher::Address() const
{
    const Integer k = std::min<Integer>(AddressLines(), 16);
    Integer address = 0;
    for (Integer i = 0; i < k; ++i)
        if (InputLogic(i))
            address |= 1 << i;
    return address & AddressMask();
}

void TSpeicher::WriteOutputs(Integer v)
{
    if (v == LastOutput)
        return;
    for (Integer j = 0; j < DataBits; ++j)
        SetOutputLogic(DataBits - 1 - j, (v >> j) & 1);
    LastOutput = v;
}

void TSpeicher::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, GetTypeName(), FigureColor());
}

AnsiString TSpeicher::GetHintText()
{
    AnsiString text = TGrundBT::GetHintText() + CR + std::to_string(MemorySize()) + " Bytes";
    const AnsiString file = ExtractFileName(FileName);
    if (AutoLoad && !file.empty())
        text += CR + file;
    return text;
}

void TSpeicher::ResetForStart()
{
    LastOutput = -1;
    if (AutoLoad)
        LoadHexFile(FileName, Memory.get(), MemorySize());   // unopenable: memory kept
}

void TSpeicher::WriteMemory(TWriter& writer) const
{
    writer.Write(Memory.get(), static_cast<std::size_t>(MemorySize()));
}

void TSpeicher::ReadMemory(TReader& reader)
{
    // Into a copy first: a short record raises and leaves the memory as it was.
    std::unique_ptr<Byte[]> bytes(new Byte[Capacity]());
    reader.Read(bytes.get(), static_cast<std::size_t>(MemorySize()));
    Memory = std::move(bytes);
}

// ---- RAM

TBTRAM::TBTRAM(const TComponentRow& row) : TSpeicher(row, DataBits + 1) {}

void TBTRAM::InputsCreated()
{
    const Integer k = AddressLines();
    for (Integer i = 0; i < InputCount; ++i) {
        if (i < k)
            Inputs[i].Name = "A" + std::to_string(i);
        else if (i < k + DataBits)
            Inputs[i].Name = "Di" + std::to_string(i - k);
        else
            Inputs[i].Name = "|R/W";
    }
}

void TBTRAM::ResetForStart()
{
    TSpeicher::ResetForStart();
    LastReadWrite = false;
}

void TBTRAM::Calculate()
{
    if (InputCount < DataBits + 1)
        return;
    const Integer k = AddressLines();
    const bool rw = InputLogic(InputCount - 1);
    Integer v = LastOutput;
    if (rw) {
        v = Memory[Address()];
    } else if (LastReadWrite) {
        Integer data = 0;
        for (Integer i = 0; i < DataBits; ++i)
            if (InputLogic(k + i))
                data |= 1 << i;
        Memory[Address()] = static_cast<Byte>(data);
    }
    if (v >= 0)
        WriteOutputs(v);
    LastReadWrite = rw;
}

void TBTRAM::WriteData(TStream& stream, TWriter& writer)
{
    TIOBauteil::WriteData(stream, writer);
    writer.WriteBoolean(AutoLoad);
    writer.WriteString(FileName);
    WriteMemory(writer);
}

void TBTRAM::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    if (version >= FileFieldsVersion) {
        const bool autoLoad = reader.ReadBoolean();
        AnsiString fileName = reader.ReadString();
        ReadMemory(reader);
        AutoLoad = autoLoad;
        FileName = std::move(fileName);
    }
}

// ---- ROM

TBTROM::TBTROM(const TComponentRow& row) : TSpeicher(row, 0) {}

void TBTROM::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i)
        Inputs[i].Name = "A" + std::to_string(i);
}

void TBTROM::Calculate()
{
    WriteOutputs(Memory[Address()]);
}

void TBTROM::WriteData(TStream& stream, TWriter& writer)
{
    TIOBauteil::WriteData(stream, writer);
    WriteMemory(writer);
    writer.WriteBoolean(AutoLoad);
    writer.WriteString(FileName);
}

void TBTROM::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    ReadMemory(reader);
    if (version >= FileFieldsVersion) {
        AutoLoad = reader.ReadBoolean();
        FileName = reader.ReadString();
    }
}

Integer TSpeicher::EditProperties()
{
    THexEditor editor;
    const Integer sizeIndex = AddressLines() - 8;
    editor.cb_Groesse->blockSignals(true);
    editor.cb_Groesse->setCurrentIndex(sizeIndex >= 0 && sizeIndex < editor.cb_Groesse->count() ? sizeIndex : -1);
    editor.cb_Groesse->blockSignals(false);
    const Integer size = MemorySize();
    std::memcpy(editor.Memory.get(), Memory.get(), static_cast<std::size_t>(size));
    editor.SetMemorySize(size);
    editor.CB_AutoLoad->setChecked(AutoLoad);
    editor.E_Datei->SetFilename(AnsiToQString(FileName));
    editor.SetDisplayMode(DisplayMode);
    editor.HelpTopic = HelpContext;
    editor.SetCaption(GetCaption());
    editor.cb_RuntimeEdit->setChecked(RuntimeAdjustable);
    // The size is fixed while the circuit runs: the pins are wired.
    const bool running = SimulationRunning || RunOnlyMode;
    editor.cb_RuntimeEdit->setVisible(!running);
    editor.cb_Groesse->setEnabled(!running);

    const Integer result = editor.ShowModal();
    if (result != mrOk)
        return result;
    RuntimeAdjustable = editor.cb_RuntimeEdit->isChecked();
    if (!running)
        SetInputCount(InputCountFor(editor.cb_Groesse->currentIndex() + 8));
    AutoLoad = editor.CB_AutoLoad->isChecked();
    FileName = QStringToAnsi(editor.E_Datei->Filename());
    std::memcpy(Memory.get(), editor.Memory.get(), static_cast<std::size_t>(MemorySize()));
    DisplayMode = static_cast<Byte>(editor.DisplayMode());
    return result;
}
