#include "I2cSlave.h"

TBTTestI2cSlave::TBTTestI2cSlave()
{
    SetInputCount(2);
    SetOutputCount(1);
    Designator = "I2CS";
}

void TBTTestI2cSlave::InputsCreated()
{
    for (Integer i = 0; i < InputCount; ++i)
        Inputs[i].Name = i == SclInput ? "SCL" : "SDA";
}

void TBTTestI2cSlave::OutputsCreated()
{
    for (TBauteilPin& pin : Outputs)
        pin.Name = "/SDA";
}

void TBTTestI2cSlave::ResetForStart()
{
    state_ = TState::Idle;
    lastScl_ = true;
    lastSda_ = true;
    next_ = 0;
    Pull(false);
}

void TBTTestI2cSlave::PutBit()
{
    Pull(!((sending_ >> (7 - bits_)) & 1));
}

void TBTTestI2cSlave::Calculate()
{
    const bool scl = InputLogic(SclInput);
    const bool sda = InputLogic(SdaInput);
    if (scl && lastScl_ && sda != lastSda_) {
        // The data line moves while the clock is high: START or STOP.
        if (!sda) {
            ++Starts;
            state_ = TState::Receiving;
            addressPhase_ = true;
            bits_ = 0;
            shift_ = 0;
        } else {
            ++Stops;
            state_ = TState::Idle;
        }
        Pull(false);
    } else if (scl && !lastScl_) {
        // Rising clock: the receiver samples.
        if (state_ == TState::Receiving) {
            shift_ = (shift_ << 1) | Integer(sda);
            if (++bits_ == 8) {
                Received.push_back(Byte(shift_));
                if (addressPhase_) {
                    reading_ = (shift_ & 1) != 0;
                    acking_ = Acknowledge && (shift_ >> 1) == Address;
                } else {
                    acking_ = Acknowledge;
                }
            }
        } else if (state_ == TState::MasterAck) {
            masterAcked_ = !sda;
            ++(masterAcked_ ? MasterAcks : MasterNacks);
        }
    } else if (!scl && lastScl_) {
        // Falling clock: the sender changes the data line.
        switch (state_) {
        case TState::Receiving:
            if (bits_ == 8) {
                state_ = acking_ ? TState::AckClock : TState::Idle;
                Pull(acking_);
            }
            break;
        case TState::AckClock:
            Pull(false);
            if (addressPhase_ && reading_) {
                state_ = TState::Sending;
                sending_ = next_ < ReadBytes.size() ? Byte(ReadBytes[next_++]) : 0xFF;
                bits_ = 0;
                PutBit();
            } else {
                state_ = TState::Receiving;
                addressPhase_ = false;
                bits_ = 0;
                shift_ = 0;
            }
            break;
        case TState::Sending:
            if (++bits_ == 8) {
                Pull(false);
                state_ = TState::MasterAck;
            } else {
                PutBit();
            }
            break;
        case TState::MasterAck:
            if (masterAcked_) {
                state_ = TState::Sending;
                sending_ = next_ < ReadBytes.size() ? Byte(ReadBytes[next_++]) : 0xFF;
                bits_ = 0;
                PutBit();
            } else {
                state_ = TState::Idle;
            }
            break;
        case TState::Idle: break;
        }
    }
    lastScl_ = scl;
    lastSda_ = sda;
}
