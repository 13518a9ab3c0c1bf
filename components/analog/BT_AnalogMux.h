// The analog multiplexer (one of 2, 4, 8 or 16 channel inputs to the output,
// chosen by select lines) and demultiplexer (the input to the chosen one of
// 2..16 outputs, the others at 0). Both are enabled by "EN". The channel size
// c (N = 2^(c+1) channels, c + 1 select lines) follows from the input count.
#pragma once

#include "components/analog/AnalogBT.h"

class TAnalogMuxBT : public TAnalogBT {
public:
    Integer EditProperties() override;
    void Draw(TCanvas& canvas) override;

    // Sets the pins for 2, 4, 8 or 16 channels (c = 0..3).
    void SetChannels(Integer c);
    // c of the input count (the largest c whose count does not exceed it).
    Integer ChannelIndex() const;

protected:
    // inputCounts[c]: the input count for channel index c.
    TAnalogMuxBT(const TComponentRow& row, const Integer (&inputCounts)[4], bool channelOutputs);
    // S0 + 2 S1 + ... over the c + 1 select lines, from input index first.
    Integer Selection(Integer first) const
    {
        Integer sel = 0;
        const Integer lines = ChannelIndex() + 1;
        for (Integer k = 0; k < lines; ++k)
            sel |= static_cast<Integer>(InputLogic(first + k)) << k;
        return sel;
    }

private:
    const Integer (&inputCounts_)[4];
    bool channelOutputs_;
};

class TBTAnalogMux : public TAnalogMuxBT {
public:
    explicit TBTAnalogMux(const TComponentRow& row);
    void ResetForStart() override { SetOutputValue(0, 0.0L); }
    void Calculate() override
    {
        SetOutputValue(0, InputLogic(0) ? InputValue(1 + ChannelIndex() + 1 + Selection(1)) : 0.0L);
    }
    void InputsCreated() override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// Writes its outputs only when the selection or the input changes.
class TBTAnalogDemux : public TAnalogMuxBT {
public:
    explicit TBTAnalogDemux(const TComponentRow& row);
    Integer LastSelection = -1;
    Extended LastValue = 0.0L;

    void ResetForStart() override;
    void Calculate() override;
    void InputsCreated() override;
    void OutputsCreated() override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

// The rows of TBTAnalogMux and TBTAnalogDemux.
TRowList AnalogMuxRows();
