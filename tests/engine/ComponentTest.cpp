// Components as board objects: pin layout and bounds, hit tests, rebuilding
// pins, captions, the hint text and the two base stream records with their
// version gates.
#include "support/TestComponents.h"

#include "engine/Globals.h"
#include "engine/Platine.h"
#include "engine/Segment.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TPins : public TGrundBT {
public:
    TPins(Integer inputs, Integer outputs)
    {
        SetInputCount(inputs);
        SetOutputCount(outputs);
    }
};

std::unique_ptr<TPins> Make(Integer inputs, Integer outputs, bool mirrored = false)
{
    auto c = std::make_unique<TPins>(inputs, outputs);
    c->AfterConstruction();
    c->SetMirrored(mirrored);
    return c;
}

TEST(PinLayout, TwoInputsOneOutput)
{
    auto c = Make(2, 1);
    EXPECT_EQ(c->BodyRect, Rect(300, 300, 400, 420));
    EXPECT_EQ(Point(c->Inputs[0].X, c->Inputs[0].Y), Point(260, 340));
    EXPECT_EQ(Point(c->Inputs[1].X, c->Inputs[1].Y), Point(260, 380));
    EXPECT_EQ(Point(c->Outputs[0].X, c->Outputs[0].Y), Point(440, 360));
    c->SetMirrored(true);
    EXPECT_EQ(Point(c->Inputs[0].X, c->Inputs[0].Y), Point(440, 380));
    EXPECT_EQ(Point(c->Inputs[1].X, c->Inputs[1].Y), Point(440, 340));
    EXPECT_EQ(Point(c->Outputs[0].X, c->Outputs[0].Y), Point(260, 360));
    EXPECT_EQ(c->Inputs[0].StubLength, 40);
}

TEST(PinLayout, FirstPinOffsetRoundsHalfToEven)
{
    struct TCase {
        Integer N, M, Offset;
    };
    for (const TCase& t : {TCase{1, 1, 40}, TCase{2, 2, 40}, TCase{1, 2, 60}, TCase{2, 3, 60},
                           TCase{3, 4, 40}, TCase{3, 6, 80}, TCase{3, 8, 80}}) {
        auto c = Make(t.N, t.M);
        EXPECT_EQ(c->Inputs[0].Y - c->Y, t.Offset) << t.N << " of " << t.M;
        EXPECT_EQ(c->Inputs[t.N - 1].Y - c->Inputs[0].Y, 40 * (t.N - 1));
    }
}

TEST(PinLayout, LastOutputOnTop)
{
    auto c = Make(0, 3);
    EXPECT_LT(c->Outputs[2].Y, c->Outputs[0].Y);
    auto m = Make(0, 3, true);
    EXPECT_GT(m->Outputs[2].Y, m->Outputs[0].Y);
}

TEST(PinLayout, BodyWidthAndHeightFollowTheLargerSide)
{
    struct TCase {
        Integer In, Out, Width, Height;
    };
    for (const TCase& t : {TCase{0, 0, 100, 80}, TCase{4, 1, 100, 200}, TCase{2, 5, 140, 240},
                           TCase{8, 8, 140, 360}, TCase{9, 0, 160, 400}}) {
        auto c = Make(t.In, t.Out);
        EXPECT_EQ(c->BodyRect.Width(), t.Width);
        EXPECT_EQ(c->BodyRect.Height(), t.Height);
    }
}

TEST(Bounds, GrowTowardsThePinSides)
{
    struct TCase {
        Integer In, Out;
        bool Mirrored;
        TRect Bounds;
    };
    // Body 300,300 .. 400,y
    for (const TCase& t : {TCase{2, 1, false, Rect(232, 292, 468, 428)}, TCase{2, 1, true, Rect(232, 292, 468, 428)},
                           TCase{1, 0, false, Rect(232, 292, 408, 388)}, TCase{1, 0, true, Rect(292, 292, 468, 388)},
                           TCase{0, 1, false, Rect(292, 292, 468, 388)}, TCase{0, 0, false, Rect(232, 292, 408, 388)},
                           TCase{0, 0, true, Rect(232, 292, 408, 388)}}) {
        auto c = Make(t.In, t.Out, t.Mirrored);
        EXPECT_EQ(c->GetBounds(), t.Bounds) << t.In << "/" << t.Out << " mirrored " << t.Mirrored;
    }
}

TEST(Bounds, HitTestMapsBoundsToDevice)
{
    auto c = Make(1, 1);
    TCanvas canvas;   // 254 units are 127 pixels: half a pixel per unit
    canvas.SetMapMode(TMapMode::MM_ANISOTROPIC);
    canvas.SetWindowExt(254, 254);
    canvas.SetViewportExt(127, 127);
    canvas.SetViewportOrg(-10, 0);
    // Bounds 232,292 .. 468,388 -> pixels 106,146 .. 224,194
    EXPECT_TRUE(c->HitTest(Point(106, 146), canvas));
    EXPECT_TRUE(c->HitTest(Point(223, 193), canvas));
    EXPECT_FALSE(c->HitTest(Point(224, 150), canvas));
    EXPECT_FALSE(c->HitTest(Point(105, 150), canvas));
}

TEST(Pins, RebuildOnlyWhenTheCountChanges)
{
    auto c = Make(2, 2);
    int before = 0, changed = 0;
    c->OnBeforePinsChange = [&](TIOBauteil*) { ++before; };
    c->OnPinsChanged = [&](TIOBauteil*) { ++changed; };
    c->Inputs[1].Inverted = true;
    c->SetInputCount(2);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(changed, 0);
    EXPECT_TRUE(c->Inputs[1].Inverted);

    c->SetInputCount(3);
    EXPECT_EQ(before, 2);
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(c->Inputs[1].Inverted);
    EXPECT_EQ(c->Inputs[2].Name, "E2");
    c->SetOutputCount(1);
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(c->Outputs[0].Name, "A0");
    EXPECT_TRUE(c->Outputs[0].WiredGroup.empty());
    EXPECT_EQ(c->BodyRect.Height(), 160);   // laid out again
}

TEST(Pins, RebuiltOutputsLeaveNoLinksBehind)
{
    // A probe reading a source on the same board loses its source when the
    // source's outputs are rebuilt or the source is removed.
    TPlatine board;
    auto* source = CreateBauteil<TBTTestSource>();
    auto* other = CreateBauteil<TBTTestSource>();
    auto* probe = CreateBauteil<TBTTestProbe>();
    for (TBauteil* o : {static_cast<TBauteil*>(source), static_cast<TBauteil*>(other), static_cast<TBauteil*>(probe)})
        board.InsertObject(o);
    probe->Inputs[0].Source = source->Outputs[0].MarkReferenced();
    for (TBauteilPin* pin : {&source->Outputs[0], &other->Outputs[0]})
        pin->WiredGroup = {&source->Outputs[0], &other->Outputs[0]};
    source->SetOutputCount(2);
    EXPECT_EQ(probe->Inputs[0].Source, nullptr);
    EXPECT_EQ(other->Outputs[0].WiredGroup, std::vector<TBauteilPin*>{&other->Outputs[0]});

    probe->Inputs[0].Source = other->Outputs[0].MarkReferenced();
    board.RemoveObject(other);
    EXPECT_EQ(probe->Inputs[0].Source, nullptr);
}

TEST(Caption, DefaultsToTheTypeNameAndTakesLineBreaksAsBlanks)
{
    std::unique_ptr<TBTTestGate> gate(CreateBauteil<TBTTestGate>());
    EXPECT_EQ(gate->GetCaption(), "TESTUND");
    gate->SetCaption("Al\r\narm\rnow\nhere");
    EXPECT_EQ(gate->GetCaption(), "Al arm now here");
}

TEST(Hint, DesignatorNumberCaptionAndTypeName)
{
    std::unique_ptr<TBTTestGate> gate(CreateBauteil<TBTTestGate>());
    gate->SetNumber(3);
    EXPECT_EQ(gate->GetHintText(), "TAND 3\rTESTUND");
    gate->SetCaption("Alarm");
    EXPECT_EQ(gate->GetHintText(), "TAND 3\rAlarm\rTESTUND");
    gate->Designator = "";
    EXPECT_EQ(gate->GetHintText(), "Alarm\rTESTUND");
}

TEST(Selection, StubsFollowTheComponent)
{
    TPlatine board;
    auto* gate = CreateBauteil<TBTTestGate>();
    board.InsertObject(gate);
    gate->SetSelected(true);
    for (const TBauteilPin* pin : {&gate->Inputs[0], &gate->Inputs[1], &gate->Outputs[0]})
        EXPECT_TRUE(pin->Stub->Selected);
    gate->SetSelected(false);
    EXPECT_FALSE(gate->Outputs[0].Stub->Selected);
}

// ---- Base records

std::vector<Byte> Record(TBauteil& object)
{
    TMemoryStream stream;
    {
        TWriter writer(stream);
        object.WriteData(stream, writer);
    }
    return stream.Bytes();
}

void ReadRecord(TBauteil& object, const std::vector<Byte>& bytes, Byte version)
{
    TMemoryStream stream(bytes);
    TReader reader(stream);
    object.ReadData(stream, reader, version);
}

std::unique_ptr<TBTTestGate> ConfiguredGate()
{
    std::unique_ptr<TBTTestGate> gate(CreateBauteil<TBTTestGate>());
    gate->Inputs[0].Inverted = true;
    gate->RuntimeAdjustable = true;
    gate->SetCaption("Alarm");
    return gate;
}

const std::vector<Byte> GateRecord = {
    0x02, 0x02,                               // DataVersion 2
    0x03, 0x2C, 0x01, 0x03, 0x2C, 0x01,       // X, Y = 300
    0x02, 0x02, 0x02, 0x01,                   // 2 inputs, 1 output
    0x08,                                     // not mirrored
    0x09, 0x08, 0x08,                         // inversion: E0, E1, A0
    0x09,                                     // adjustable at run time
    0x06, 0x05, 'A', 'l', 'a', 'r', 'm',      // caption
    0x02, 0x07,                               // the gate's own field
};

TEST(BaseRecord, WrittenFieldByField)
{
    EXPECT_EQ(Record(*ConfiguredGate()), GateRecord);
}

TEST(BaseRecord, ReadBackInMemoryAndFromFiles)
{
    for (Byte version : {Byte{46}, InMemoryVersion}) {
        std::unique_ptr<TBTTestGate> gate(CreateBauteil<TBTTestGate>());
        gate->Threshold = 0;
        ReadRecord(*gate, GateRecord, version);
        EXPECT_EQ(Record(*gate), GateRecord) << int(version);
        EXPECT_EQ(gate->Inputs[0].X, 260);   // laid out at the stored place
    }
}

TEST(BaseRecord, VersionGates)
{
    // Version 2: no inversion flags, no run-time flag, no caption.
    const std::vector<Byte> v2 = {0x02, 0x02, 0x02, 0x14, 0x02, 0x28, 0x02, 0x02, 0x02, 0x01, 0x09};
    std::unique_ptr<TBTTestGate> gate = ConfiguredGate();
    gate->Outputs[0].Inverted = true;
    ReadRecord(*gate, v2, 2);
    EXPECT_EQ(Point(gate->X, gate->Y), Point(20, 40));
    EXPECT_TRUE(gate->Mirrored);
    EXPECT_FALSE(gate->Inputs[0].Inverted);
    EXPECT_FALSE(gate->Outputs[0].Inverted);
    EXPECT_FALSE(gate->RuntimeAdjustable);
    EXPECT_EQ(gate->GetCaption(), "TESTUND");
    EXPECT_EQ(gate->Threshold, 7);   // the gate's own field is newer still

    // Version 39: inversion flags, still no caption.
    const std::vector<Byte> v39 = {0x02, 0x02, 0x02, 0x14, 0x02, 0x28, 0x02, 0x02, 0x02, 0x01, 0x08, 0x08, 0x09, 0x09};
    gate = ConfiguredGate();
    ReadRecord(*gate, v39, 39);
    EXPECT_FALSE(gate->Inputs[0].Inverted);
    EXPECT_TRUE(gate->Inputs[1].Inverted);
    EXPECT_TRUE(gate->Outputs[0].Inverted);
    EXPECT_EQ(gate->GetCaption(), "TESTUND");
}

TEST(BaseRecord, LibraryEntriesKeepTheirTypeNames)
{
    std::unique_ptr<TBTTestGate> gate(CreateBauteil<TBTTestGate>());
    LibraryLoading = true;
    ReadRecord(*gate, GateRecord, 46);
    LibraryLoading = false;
    EXPECT_EQ(gate->GetCaption(), "TESTUND");
    EXPECT_TRUE(gate->RuntimeAdjustable);
}

TEST(BaseRecord, DamagedRecordsRaiseTheStreamError)
{
    auto patched = [](std::size_t at, std::vector<Byte> replacement) {
        std::vector<Byte> bytes(GateRecord.begin(), GateRecord.begin() + at);
        bytes.insert(bytes.end(), replacement.begin(), replacement.end());
        bytes.insert(bytes.end(), GateRecord.begin() + at + 2, GateRecord.end());
        return bytes;
    };
    const std::vector<std::vector<Byte>> damaged = {
        patched(8, {0x04, 0x00, 0x00, 0x00, 0x10}),   // 2^28 inputs
        patched(8, {0x02, 0xFF}),                     // -1 inputs
        patched(10, {0x03, 0x01, 0x10}),              // 4097 outputs
        patched(2, {0x06, 0x00}),                     // a string where X belongs
        std::vector<Byte>(GateRecord.begin(), GateRecord.begin() + 20),   // cut short
    };
    for (const auto& bytes : damaged) {
        std::unique_ptr<TBTTestGate> gate(CreateBauteil<TBTTestGate>());
        EXPECT_THROW(ReadRecord(*gate, bytes, 46), EReadError);
    }
}

} // namespace
