// What every text component is (names in three languages, designator, help,
// pins, dialog), its stream record with its own fields, and records whose
// pin counts the class cannot have.
#include "StringRig.h"

#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

class TextRecords : public StringTest {};

struct TIdentity {
    const char* Class;
    const char* TypeName;   // the same in every language unless French is given
    const char* Designator;
    Integer Help;
    bool Dialog;
    std::vector<const char*> Inputs;
    std::vector<const char*> Outputs;   // by index
    const char* French = nullptr;
};

TEST_F(TextRecords, EachClassHasItsNamesPinsAndHelp)
{
    const TIdentity rows[] = {
        {"TBT_Str_Fest", "$Const", "$CNST", 35010, true, {}, {"$"}},
        {"TBT_Str_Value", "$Value", "$VAL", 35010, false, {"$"}, {"V"}},
        {"TBTStrFormat", "$Format", "$FMT", 35010, true, {"V"}, {"$"}},
        {"TBTStrChr", "$Character", "$CHR", 35010, false, {"ASC"}, {"$CHR"}},
        {"TBTStrASCII", "$ASCII", "$ASC", 35010, false, {"$CHR"}, {"ASC"}},
        {"TBTStrLength", "$Length", "$LEN", 35010, false, {"$"}, {"L"}},
        {"TBTStrUpper", "$Upper", "$UPP", 35010, false, {"$", "U/L"}, {"$"}},
        {"TBTStrTrim", "$Trim", "$TRM", 35010, false, {"$", "L", "R"}, {"$"}},
        {"TBTStrPlus", "$Add", "$ADD", 35010, true, {"$1", "$2"}, {"$"}},
        {"TBTStrCSV", "$CSV", "$CSV", 35010, true, {"$1", "$2", "$3", "$4"}, {"$"}},
        {"TBTStrCopy", "$Copy", "$C", 35010, false, {"$", "P", "N"}, {"$"}},
        {"TBTStrInsert", "$Insert", "$INS", 35010, false, {"$", "$Ins", "Pos"}, {"$"}},
        {"TBTStrDelete", "$Delete", "$DEL", 35010, false, {"$", "P", "N"}, {"$"}},
        {"TBTStrIndex", "$Index", "$Idx", 35010, false, {"$", "[i]"}, {"$Chr"}},
        {"TBTStrPos", "$Position", "$POS", 35010, false, {"$M", "$S"}, {"Pos"}},
        {"TBTStrReplace", "$Replace", "$RPL", 35010, false, {"$", "$Old", "$New", "All", "CS"}, {"$"}},
        {"TBTStrCompare", "$Compare", "$CMP", 35010, false, {"$A", "$B"}, {"A>B", "A=B", "A<B"}},
        {"TBTStrParts", "$Part", "$Part", 35010, true, {"$"}, {"$4", "$3", "$2", "$1"}},
        {"TBTStrMux", "$Multiplexer", "$MUX", 35010, true, {"EN", "S0", "$0", "$1"}, {"$"}, "$Multipl\xE9xeur"},
        {"TBTStrHold", "$Hold", "$HLD", 35010, false, {"$", "/Hld"}, {"$"}},
        {"TBTStrBuffer", "$Buffer", "$BUF", 35010, false, {"$", "|W", "|R", "/CLR", "N"}, {"$Buf", "$Data"}},
        {"TBTStrCRC", "$CRC", "$CRC", 35012, false, {"$D", "C", "P", "I", "/R1", "/R2", "/R3", "FX"}, {"CRC"}},
        {"TBTStrBytes", "$Bytes", "$BYTES", 35010, true, {"$IN", "B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8"},
         {"B8", "B7", "B6", "B5", "B4", "B3", "B2", "B1", "$OUT"}},
        {"TBTStrInfo", "$Info", "$Inf", 35010, true, {}, {"$N", "$I"}},
    };
    for (const TIdentity& row : rows) {
        SCOPED_TRACE(row.Class);
        for (Integer language = 0; language < 3; ++language) {
            LanguageIndex = language;
            std::unique_ptr<TBauteil> object(CreateBauteil(row.Class));
            auto* c = dynamic_cast<TIOBauteil*>(object.get());
            ASSERT_NE(c, nullptr);
            EXPECT_EQ(c->GetTypeName(), language == 2 && row.French ? row.French : row.TypeName);
            EXPECT_EQ(c->Caption, c->GetTypeName());
            EXPECT_EQ(c->Designator, row.Designator);
            EXPECT_EQ(c->HelpContext, row.Help);
            EXPECT_EQ(c->HasPropertyDialog, row.Dialog);
            EXPECT_TRUE(c->PanelElementClass.empty());
            EXPECT_EQ(c->ClassType().Parent, &TGrundBT::StaticClass());
            ASSERT_EQ(c->InputCount, static_cast<Integer>(row.Inputs.size()));
            ASSERT_EQ(c->OutputCount, static_cast<Integer>(row.Outputs.size()));
            for (std::size_t i = 0; i < row.Inputs.size(); ++i)
                EXPECT_EQ(c->Inputs[i].Name, row.Inputs[i]);
            for (std::size_t o = 0; o < row.Outputs.size(); ++o)
                EXPECT_EQ(c->Outputs[o].Name, row.Outputs[o]);
        }
    }
}

// Red pixels inside the body, drawn selected or not.
int RedInBody(TIOBauteil& c, bool selected)
{
    c.X = 100;
    c.Y = 100;
    c.LayoutPins();
    c.Selected = selected;
    QImage image(600, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        c.Draw(canvas);
    }
    int red = 0;
    const TRect& body = c.BodyRect;
    for (int y = body.Top + 3; y < body.Bottom - 3; ++y)
        for (int x = body.Left + 3; x < body.Right - 3; ++x) {
            const QColor colour = image.pixelColor(x, y);
            red += colour.red() > 200 && colour.green() < 80 && colour.blue() < 80;
        }
    return red;
}

TEST_F(TextRecords, EachSymbolTakesTheSelectionRed)
{
    for (const TComponentRow* row : StringRows()) {
        SCOPED_TRACE(row->Class.Name);
        std::unique_ptr<TIOBauteil> c(CreateComponent(row->Class.Name));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(RedInBody(*c, false), 0);
        EXPECT_GT(RedInBody(*c, true), 20);
    }
}

// The board written and read back; the objects of the copy in order.
std::vector<TIOBauteil*> RoundTrip(TTestBoard& t, TTestBoard& copy)
{
    copy.ReadFromMemory(t.WriteToMemory());
    std::vector<TIOBauteil*> read;
    for (TBauteil* object : copy.Board().Objects)
        if (auto* component = dynamic_cast<TIOBauteil*>(object))
            read.push_back(component);
    return read;
}

TEST_F(TextRecords, OwnFieldsTravelInTheRecord)
{
    TTestBoard t;
    AnsiString text = "a\0\r\n\xFF\x80 "s;
    text.append(300, 'x');
    PlaceAs<TBT_Str_Fest>(t, "TBT_Str_Fest", 1000, 100)->Text = text;
    auto* format = PlaceAs<TBTStrFormat>(t, "TBTStrFormat", 1000, 500);
    format->Format.Decimals = 5;
    format->Format.Prefix = "U=";
    auto* csv = PlaceAs<TStrJoin>(t, "TBTStrCSV", 1000, 900);
    csv->Separator = 0;
    csv->SetInputCount(7);
    auto* parts = PlaceAs<TBTStrParts>(t, "TBTStrParts", 1000, 1400);
    parts->Separator = 255;
    parts->SetOutputCount(16);
    PlaceAs<TBTStrMux>(t, "TBTStrMux", 1000, 2000)->SetChannels(2);
    auto* bytes = t.Place("TBTStrBytes", 1000, 2800);
    bytes->SetOutputCount(3);
    bytes->SetInputCount(65);
    PlaceAs<TBTStrInfo>(t, "TBTStrInfo", 1000, 4000)->ItemIndex = 120;   // kept as stored

    TTestBoard copy;
    const std::vector<TIOBauteil*> read = RoundTrip(t, copy);
    ASSERT_EQ(read.size(), 7u);
    EXPECT_EQ(static_cast<TBT_Str_Fest*>(read[0])->Text, text);
    EXPECT_EQ(static_cast<TBTStrFormat*>(read[1])->Format.Decimals, 5);
    EXPECT_EQ(static_cast<TBTStrFormat*>(read[1])->Format.Prefix, "U=");
    EXPECT_EQ(static_cast<TStrJoin*>(read[2])->Separator, 0);
    EXPECT_EQ(read[2]->InputCount, 7);
    EXPECT_EQ(read[2]->Inputs[6].Name, "$7");
    EXPECT_EQ(static_cast<TBTStrParts*>(read[3])->Separator, 255);
    EXPECT_EQ(read[3]->Outputs[0].Name, "$16");
    EXPECT_EQ(static_cast<TBTStrMux*>(read[4])->ChannelKind(), 2);
    EXPECT_EQ(read[4]->Inputs[11].Name, "$7");
    EXPECT_EQ(read[5]->OutputCount, 3);
    EXPECT_EQ(read[5]->Outputs[2].Name, "$OUT");
    EXPECT_EQ(read[5]->Inputs[64].Name, "B64");
    EXPECT_EQ(static_cast<TBTStrInfo*>(read[6])->ItemIndex, 120);
}

TEST_F(TextRecords, TheConstantWritesItsTextAtStartAndStopOnly)
{
    TTestBoard t;
    auto* constant = PlaceAs<TBT_Str_Fest>(t, "TBT_Str_Fest", 1000, 100);
    constant->Text = "\0one"s;
    t.Board().PrepareSimulation();
    EXPECT_EQ(constant->Outputs[0].Text, "\0one"s);
    constant->Text = "two";   // edited while running
    t.Board().Step();
    EXPECT_EQ(constant->Outputs[0].Text, "\0one"s);
    constant->SimulationStopped();
    EXPECT_EQ(constant->Outputs[0].Text, "two");
    EXPECT_EQ(constant->GetHintText(), "$CNST 1\r$Const\r= \"two\"");
}

// What only a damaged file holds: pin counts the class cannot have are the
// stream error; the counts it can have read back as written.
TEST_F(TextRecords, PinCountsTheClassCannotHaveAreRefused)
{
    struct TCase {
        const char* Class;
        Integer Inputs, Outputs;   // -1: as placed
        bool Refused;
    };
    const TCase cases[] = {
        {"TBTStrCopy", 0, -1, true},      {"TBTStrCopy", 4, -1, true},      {"TBTStrCRC", 0, -1, true},
        {"TBTStrCompare", -1, 2, true},   {"TBTStrInfo", -1, 1, true},      {"TBT_Str_Fest", 1, -1, true},
        {"TBTStrParts", 0, -1, true},     {"TBTStrParts", -1, 1, true},     {"TBTStrParts", -1, 17, true},
        {"TBTStrParts", -1, 2, false},    {"TBTStrParts", -1, 16, false},   {"TBTStrPlus", -1, 0, true},
        {"TBTStrPlus", 1, -1, true},      {"TBTStrPlus", 17, -1, true},     {"TBTStrPlus", 16, -1, false},
        {"TBTStrCSV", 2, -1, false},      {"TBTStrCSV", -1, 2, true},       {"TBTStrBytes", 0, -1, true},
        {"TBTStrBytes", -1, 0, true},     {"TBTStrBytes", 66, -1, true},    {"TBTStrBytes", 65, 1, false},
        {"TBTStrBytes", 1, 65, false},    {"TBTStrMux", 3, -1, true},       {"TBTStrMux", 22, -1, true},
        {"TBTStrMux", 21, -1, false},     {"TBTStrMux", 5, -1, false},      {"TBTStrMux", -1, 2, true},
        {"TBTStrDisplay", 0, -1, true},   {"TBTStrDisplay", -1, 1, true},   {"TBTStrEdit", -1, 2, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Class) + " " + std::to_string(c.Inputs) + "/" + std::to_string(c.Outputs));
        TTestBoard t;
        TIOBauteil* placed = t.Place(c.Class, 1000, 100);
        if (c.Inputs >= 0)
            placed->SetInputCount(c.Inputs);
        if (c.Outputs >= 0)
            placed->SetOutputCount(c.Outputs);
        TTestBoard copy;
        if (c.Refused) {
            EXPECT_THROW(copy.ReadFromMemory(t.WriteToMemory()), EReadError);
            continue;
        }
        const std::vector<TIOBauteil*> read = RoundTrip(t, copy);
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0]->InputCount, placed->InputCount);
        EXPECT_EQ(read[0]->OutputCount, placed->OutputCount);
    }
}

} // namespace
