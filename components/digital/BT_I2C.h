// The I2C master sequencer: a step program (START, addresses, data bytes,
// acknowledges, STOP, one loop) that a falling edge on "|NOW" expands into a
// queue of bus micro-steps, carried out one per clock event on the
// open-drain style outputs "/SCL" and "/SDA" (true pulls the line low). The
// line is read back on "SDA", the device address comes from "ADR", the bytes
// to send from "$WR", and the received bytes appear on "$RD".
#pragma once

#include "components/digital/BT_Digital.h"

#include <vector>

// The steps of a program, as stored in the record.
enum I2cStepCode : Integer {
    I2cStart = 0,
    I2cSendReadAddress = 1,
    I2cSendWriteAddress = 2,
    I2cSendDataByte = 3,
    I2cReceiveDataByte = 4,
    I2cStop = 5,
    I2cAcknowledge = 6,
    I2cWaitAcknowledge = 7,
    I2cNoAcknowledge = 8,
    I2cLoopStart = 9,
    I2cLoopEnd = 10,
};
inline constexpr Integer I2cStepCodeCount = 11;

// The micro-steps of the queue.
enum I2cBusStep : Byte {
    I2cSclLow = 0,
    I2cSclRelease = 1,
    I2cSdaLow = 2,
    I2cSdaRelease = 3,
    I2cSampleBit0 = 4,   // 4..11: sample bit (code - 4); bit 0 ends the byte
    I2cWaitAck = 12,
};

// The text of a step in the program list.
const char* I2cStepText(Integer code);

// True from the start of an expansion until some master empties its queue:
// a falling edge on "|NOW" of any master is ignored meanwhile.
extern bool I2cSequenceActive;

class TBT_I2C_Master : public TGrundBT {
public:
    static constexpr Integer SdaInput = 0;
    static constexpr Integer SclInput = 1;
    static constexpr Integer AddressInput = 2;
    static constexpr Integer WriteInput = 3;
    static constexpr Integer ClockInput = 4;
    static constexpr Integer StartInput = 5;
    static constexpr Integer ErrorOutput = 0;
    static constexpr Integer BusyOutput = 1;
    static constexpr Integer ReadOutput = 2;
    static constexpr Integer SclOutput = 3;
    static constexpr Integer SdaOutput = 4;

    static constexpr Integer MaxLoopCount = 100000;
    static constexpr Cardinal AckTimeoutMs = 1000;
    // A longer program in a record is damaged.
    static constexpr Integer MaxProgramSteps = 65536;
    // One expansion walks at most this many program steps plus queued
    // micro-steps, so that no program makes a start run out of memory.
    static constexpr std::size_t ExpansionBudget = std::size_t(1) << 24;

    std::vector<Integer> Program;   // I2cStepCode each
    bool InternalClock = true;      // a micro-step in every step instead of per "CLK" change
    Integer LoopCount = 1;
    Integer LoopCounter = 0;        // passes left during an expansion
    bool LastClock = false;
    bool LastStart = false;
    AnsiString WriteText;           // "$WR" as taken at the expansion
    Integer DataPointer = 1;        // 1-based, the next data byte in WriteText
    Byte ReceivedByte = 0;
    AnsiString ReceivedText;
    Cardinal AckWaitStart = 0;      // tick count when the running acknowledge wait began
    bool AckWaiting = false;        // a tick count of 0 is a valid start too

    using TGrundBT::TGrundBT;

    // The pending micro-steps, the head first.
    std::vector<Byte> PendingSteps() const { return {queue_.begin() + std::ptrdiff_t(head_), queue_.end()}; }
    std::size_t QueueSize() const { return queue_.size() - head_; }

    void Draw(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    Integer EditProperties() override;
    void Calculate() override;
    void ResetForStart() override;

private:
    void Expand();
    void Enqueue(Byte step) { queue_.push_back(Byte(step % 128)); }
    void EnqueueByte(Integer value);
    void ClockEvent();
    void RemoveHead();

    std::vector<Byte> queue_;
    std::size_t head_ = 0;   // queue_[head_] is the next micro-step
};

// TBT_I2C_Master.
TRowList I2cRows();
