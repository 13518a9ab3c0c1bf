// Macros: a sub-circuit on an inner board that behaves as one component, and
// the macro pin components inside that stand for its pins. Macro pin k is the
// macro's input k-1 for k up to half the pin count, else output k-m-1; the
// nets on both sides of a macro pin are one net.
#pragma once

#include "engine/GrundBT.h"

class IDesign;

class TMakro : public TIOBauteil {
    ZK_CLASS(TMakro, TIOBauteil)

public:
    TMakro();
    // Frees the inner board with the macro.
    ~TMakro() override;

    std::function<void(TMakro*)> OnEdited;
    // The stream hooks of the board holding the macro.
    std::function<void(TMakro*, TStream&, TReader&, Byte version)> OnReadInner;
    std::function<void(TMakro*, TStream&, TWriter&)> OnWriteInner;
    Integer PinCount = 0;
    IDesign* SubDesign = nullptr;       // the macro's own panel design
    IDesign* ParentDesign = nullptr;    // the design holding SubDesign
    TShortString<10> Name;
    // The macro file it was read from (the palette's macros), else empty.
    AnsiString FileName;
    // Per macro input / output: the output driving that pin's net (level display).
    std::vector<TBauteilPin*> InputDrivers;
    std::vector<TBauteilPin*> OutputDrivers;

    // The inner board, when the macro has one.
    TPlatine* InnerBoard() const;
    // Frees the inner board (its components' removal events fire); Board is
    // then the board that holds the macro.
    void FreeInnerBoard();
    TPlatine* HostBoard() const override;

    // Rounded up to an even count; half inputs, half outputs.
    void SetPinCount(Integer n);
    // Macro pin k (1-based): input k-1 for k up to PinCount/2, else output
    // k-InputCount-1; nullptr when the macro has no such pin.
    TBauteilPin* MacroPin(Integer k);
    // Names macro pin k; a k outside the pins is ignored.
    void SetPinName(Integer k, const AnsiString& name);

    AnsiString GetTypeName() const override;
    AnsiString GetHintText() override;
    // The name in the property sheet; stored and announced after the sheet closes.
    Integer EditProperties() override;
    void Draw(TCanvas& canvas) override;
    void DrawPinLevels(TCanvas& canvas);
    void DrawLiveState(TCanvas& canvas);
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};

class TBTPin : public TGrundBT {
    ZK_CLASS(TBTPin, TGrundBT)

public:
    TBTPin();

    std::function<void(TBTPin*)> OnEdited;
    TShortString<5> Label;              // becomes the name of its macro pin

    void InputsCreated() override;
    void OutputsCreated() override {}
    void Calculate() override {}
    AnsiString GetTypeName() const override;
    AnsiString GetHintText() override;
    // The label in the property sheet; stored and announced after the sheet closes.
    Integer EditProperties() override;
    void Draw(TCanvas& canvas) override;
    void DrawLiveState(TCanvas&) override {}
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
};
