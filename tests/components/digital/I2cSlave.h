// A test-only I2C slave that sits on the board beside the master: it watches
// the bus lines on its inputs "SCL" and "SDA" (wired to the nets of the pull
// outputs and inverted, since a line is high while nobody pulls it) and pulls
// the data line through its output "/SDA", which shares the master's wired
// OR. It sees START and STOP, clocks in the address and written bytes on the
// rising clock edge, acknowledges its own address and written bytes, and on a
// read shifts out its bytes on the falling edges until the master answers
// with no acknowledge. Only the tests know it; the program never registers it.
#pragma once

#include "engine/GrundBT.h"

#include <string>
#include <vector>

class TBTTestI2cSlave : public TGrundBT {
    ZK_CLASS(TBTTestI2cSlave, TGrundBT)

public:
    static constexpr Integer SclInput = 0;
    static constexpr Integer SdaInput = 1;
    static constexpr Integer SdaOutput = 0;

    Integer Address = 0x50;          // 7-bit
    bool Acknowledge = true;         // false: a deaf device, nothing is acknowledged
    std::string ReadBytes;           // returned on reads in turn; 0xFF once used up
    std::vector<Byte> Received;      // every full byte clocked in, address bytes included
    Integer Starts = 0;
    Integer Stops = 0;
    Integer MasterAcks = 0;          // acknowledges the master gave to bytes read
    Integer MasterNacks = 0;

    TBTTestI2cSlave();
    void InputsCreated() override;
    void OutputsCreated() override;
    void ResetForStart() override;
    void Calculate() override;
    AnsiString GetTypeName() const override { return "I2C-Testslave"; }

private:
    enum class TState { Idle, Receiving, AckClock, Sending, MasterAck };
    void Pull(bool low) { SetOutputLogic(SdaOutput, low); }
    void PutBit();

    TState state_ = TState::Idle;
    bool lastScl_ = true;
    bool lastSda_ = true;
    bool addressPhase_ = false;   // the byte being received is the address
    bool reading_ = false;        // the master reads from this device
    bool acking_ = false;         // this device acknowledges the byte just received
    bool masterAcked_ = false;
    Integer bits_ = 0;
    Integer shift_ = 0;
    std::size_t next_ = 0;        // next byte of ReadBytes
    Byte sending_ = 0;
};
