#include "components/digital/BT_I2C.h"

#include "components/digital/DLG_I2C.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "platform/Clock.h"
#include "platform/Stream.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>

#include <algorithm>

bool I2cSequenceActive = false;

namespace {

const bool I2cGlobalsReset = AddGlobalsReset([] { I2cSequenceActive = false; });

const TComponentRow Master{.Class = RowClass<TBT_I2C_Master>("TBT_I2C_Master"),
                           .TypeName = {"I²C Master"_ansi, "I²C Master"_ansi, "I²C Master"_ansi},
                           .Designator = "I2CM",
                           .HelpContext = 18757,
                           .HasDialog = true,
                           .Inputs = {.Count = 6, .Names = "SDA,SCL,ADR,$WR,CLK,|NOW"},
                           .Outputs = {.Count = 5, .Names = "ERR,BSY,$RD,/SCL,/SDA"}};

constexpr const char* StepTexts[I2cStepCodeCount] = {
    "START",
    "  SEND READ ADDRESS",
    "  SEND WRITE ADDRESS",
    "  SEND DATA BYTE",
    "  RECEIVE DATA BYTE",
    "STOP",
    "  ACKNOWLEDE",
    "  WAIT ACKNOWLEDGE",
    "  NO ACKNOWLEDE",
    "----- LOOP START -----",
    "-----  LOOP END  -----",
};

} // namespace

const char* I2cStepText(Integer code)
{
    return code >= 0 && code < I2cStepCodeCount ? StepTexts[code] : "";
}

TRowList I2cRows()
{
    return {&Master};
}

void TBT_I2C_Master::Draw(TCanvas& canvas)
{
    TGrundBT::Draw(canvas);
    DrawVerticalCaption(canvas, GetTypeName(), FigureColor());
}

// ---- Record

void TBT_I2C_Master::WriteData(TStream& stream, TWriter& writer)
{
    TIOBauteil::WriteData(stream, writer);
    writer.WriteBoolean(InternalClock);
    writer.WriteInteger(LoopCount);
    writer.WriteInteger(static_cast<Integer>(Program.size()));
    for (Integer step : Program)
        writer.WriteInteger(step);
}

void TBT_I2C_Master::ReadData(TStream& stream, TReader& reader, Byte version)
{
    TGrundBT::ReadData(stream, reader, version);
    const bool internalClock = reader.ReadBoolean();
    const Integer loopCount = reader.ReadInteger();
    const Integer n = reader.ReadInteger();
    if (n < 0 || n > MaxProgramSteps)
        throw EReadError(SInvalidPropertyValue);
    // Step by step, so a damaged count costs no memory before the stream ends.
    std::vector<Integer> program;
    bool loopStart = false;
    bool loopEnd = false;
    for (Integer i = 0; i < n; ++i) {
        const Integer step = reader.ReadInteger();
        // The dialog keeps each loop marker once; a second one would loop for ever.
        bool& marker = step == I2cLoopStart ? loopStart : loopEnd;
        if (step < 0 || step >= I2cStepCodeCount || ((step == I2cLoopStart || step == I2cLoopEnd) && marker))
            throw EReadError(SInvalidPropertyValue);
        if (step == I2cLoopStart || step == I2cLoopEnd)
            marker = true;
        program.push_back(step);
    }
    InternalClock = internalClock;
    LoopCount = std::clamp<Integer>(loopCount, 1, MaxLoopCount);
    Program = std::move(program);
}

// ---- Dialog

Integer TBT_I2C_Master::EditProperties()
{
    TI2C_Dlg dlg;
    dlg.Steps = Program;
    dlg.cb_CLK->setChecked(InternalClock);
    dlg.LoopSpin->SetValue(LoopCount);
    const Integer result = dlg.ShowModal();
    if (result == mrOk) {
        Program = dlg.Steps;
        InternalClock = dlg.cb_CLK->isChecked();
        // A number typed past the range and never left still counts as the range's end.
        LoopCount = std::clamp<Integer>(dlg.LoopSpin->Value(), 1, MaxLoopCount);
    }
    return result;
}

// ---- Run

void TBT_I2C_Master::ResetForStart()
{
    LastClock = false;
    LastStart = false;
    queue_.clear();
    head_ = 0;
    Enqueue(I2cSclRelease);
    Enqueue(I2cSdaRelease);
    SetOutputLogic(ErrorOutput, false);
    SetOutputLogic(BusyOutput, false);
    AckWaitStart = 0;
    AckWaiting = false;
    I2cSequenceActive = false;
    LoopCounter = 0;
}

void TBT_I2C_Master::Calculate()
{
    const bool start = InputLogic(StartInput);
    if (start != LastStart) {
        LastStart = start;
        if (!start && !I2cSequenceActive)
            Expand();
    }
    const bool clock = InputLogic(ClockInput);
    if (!InternalClock && clock == LastClock)
        return;
    LastClock = clock;
    ClockEvent();
}

void TBT_I2C_Master::EnqueueByte(Integer value)
{
    for (Integer bit = 7; bit >= 0; --bit) {
        Enqueue((value >> bit) & 1 ? I2cSdaRelease : I2cSdaLow);
        Enqueue(I2cSclRelease);
        Enqueue(I2cSclLow);
    }
}

void TBT_I2C_Master::Expand()
{
    I2cSequenceActive = true;
    const Integer address = RoundClamped(InputValue(AddressInput), 0, 127) * 2;
    ReceivedText.clear();
    WriteText = InputString(WriteInput);
    DataPointer = 1;

    const std::size_t before = QueueSize();
    const auto loopStart = std::find(Program.begin(), Program.end(), I2cLoopStart);
    std::size_t budget = ExpansionBudget;
    for (std::size_t i = 0; i < Program.size();) {
        const std::size_t queued = queue_.size();
        std::size_t next = i + 1;
        switch (Program[i]) {
        case I2cStart:
            for (Byte step : {I2cSdaRelease, I2cSclRelease, I2cSdaLow, I2cSclLow})
                Enqueue(step);
            DataPointer = 1;
            break;
        case I2cSendReadAddress: EnqueueByte(address + 1); break;
        case I2cSendWriteAddress: EnqueueByte(address); break;
        case I2cSendDataByte:
            if (!WriteText.empty()) {
                const Integer at = std::clamp<Integer>(DataPointer, 1, Integer(WriteText.size()));
                EnqueueByte(static_cast<Byte>(WriteText[std::size_t(at - 1)]));
                if (at < Integer(WriteText.size()))
                    DataPointer = at + 1;
            }
            break;
        case I2cReceiveDataByte:
            Enqueue(I2cSdaRelease);
            for (Integer bit = 7; bit >= 0; --bit) {
                Enqueue(I2cSclRelease);
                Enqueue(Byte(I2cSampleBit0 + bit));
                Enqueue(I2cSclLow);
            }
            break;
        case I2cStop:
            for (Byte step : {I2cSdaLow, I2cSclRelease, I2cSdaRelease})
                Enqueue(step);
            break;
        case I2cAcknowledge:
            for (Byte step : {I2cSdaLow, I2cSclRelease, I2cSclLow})
                Enqueue(step);
            break;
        case I2cNoAcknowledge:
            for (Byte step : {I2cSdaRelease, I2cSclRelease, I2cSclLow})
                Enqueue(step);
            break;
        case I2cWaitAcknowledge:
            for (Byte step : {I2cSdaRelease, I2cSclRelease, I2cWaitAck, I2cSclLow})
                Enqueue(step);
            break;
        case I2cLoopStart: LoopCounter = LoopCount; break;
        case I2cLoopEnd:
            if (LoopCounter > 0) {
                --LoopCounter;
                if (LoopCounter > 0 && loopStart != Program.end())
                    next = std::size_t(loopStart - Program.begin()) + 1;
            }
            break;
        default: break;
        }
        const std::size_t cost = 1 + queue_.size() - queued;
        if (cost >= budget)
            break;
        budget -= cost;
        i = next;
    }
    // Nothing to carry out: no sequence runs, so no master may be kept waiting.
    if (QueueSize() == before)
        I2cSequenceActive = false;
}

void TBT_I2C_Master::RemoveHead()
{
    if (++head_ >= queue_.size()) {
        queue_.clear();
        head_ = 0;
        I2cSequenceActive = false;
    }
}

void TBT_I2C_Master::ClockEvent()
{
    if (head_ >= queue_.size()) {
        const TBauteilPin& read = Outputs[ReadOutput];
        if (read.GetText() != ReceivedText)
            SetOutputString(ReadOutput, ReceivedText);
        SetOutputLogic(BusyOutput, false);
        if (I2cSequenceActive) {
            SetOutputLogic(SclOutput, false);
            SetOutputLogic(SdaOutput, false);
        }
        return;
    }
    SetOutputLogic(BusyOutput, true);
    const Byte step = queue_[head_];
    switch (step) {
    case I2cSclLow: SetOutputLogic(SclOutput, true); break;
    case I2cSclRelease: SetOutputLogic(SclOutput, false); break;
    case I2cSdaLow: SetOutputLogic(SdaOutput, true); break;
    case I2cSdaRelease: SetOutputLogic(SdaOutput, false); break;
    case I2cWaitAck:
        if (!InputLogic(SdaInput)) {
            AckWaiting = false;
            AckWaitStart = 0;
            SetOutputLogic(ErrorOutput, false);
            break;
        }
        {
            const Cardinal now = GetTickCount();
            if (!AckWaiting) {
                AckWaiting = true;
                AckWaitStart = now;
            }
            if (Cardinal(now - AckWaitStart) <= AckTimeoutMs)
                return;   // still waiting: the step stays at the head
        }
        AckWaiting = false;
        AckWaitStart = 0;
        SetOutputLogic(ErrorOutput, true);
        break;
    default:
        if (step >= I2cSampleBit0 && step < I2cSampleBit0 + 8) {
            const Integer bit = step - I2cSampleBit0;
            ReceivedByte = InputLogic(SdaInput) ? Byte(ReceivedByte | (1u << bit)) : Byte(ReceivedByte & ~(1u << bit));
            if (bit == 0)
                ReceivedText += static_cast<char>(ReceivedByte);
        }
        break;
    }
    RemoveHead();
}
