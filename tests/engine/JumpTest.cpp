// The jump: its text from its input in each step, its short name edited in
// the sheet, its bounds, and the arrow that turns round when mirrored.
#include "support/TestBoard.h"

#include "engine/Globals.h"
#include "engine/Jump.h"
#include "engine/Language.h"
#include "engine/ShellHooks.h"
#include "platform/Canvas.h"
#include "platform/Stream.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class JumpTest : public ::testing::Test {
protected:
    void TearDown() override { ResetGlobals(); }
    TTestBoard t;
};

TEST_F(JumpTest, ANewJumpIsNamedSprungAndHasOneUnnamedInput)
{
    for (Integer language : {0, 1, 2}) {
        LanguageIndex = language;
        auto jump = std::unique_ptr<TBTJump>(CreateBauteil<TBTJump>());
        const char* const names[] = {"Sprung", "Jump", "Report"};
        EXPECT_EQ(jump->GetTypeName(), names[language]);
        EXPECT_EQ(jump->Caption, names[language]);
        EXPECT_EQ(jump->Designator, "JMP");
        EXPECT_EQ(jump->HelpContext, 18532);
        EXPECT_TRUE(jump->HasPropertyDialog);
        ASSERT_EQ(jump->InputCount, 1);
        EXPECT_EQ(jump->OutputCount, 0);
        EXPECT_EQ(jump->Inputs[0].Name, "");
        EXPECT_TRUE(jump->PanelElementClass.empty());
    }
}

TEST_F(JumpTest, TheStepKeepsTheInputAsText)
{
    auto* text = t.Place<TBTTestTextSource>(100, 100);
    text->Texts = {"abc"};
    auto* number = t.Place<TBTTestSource>(100, 400);
    number->Values = {2.5L};
    auto* jump = t.Place<TBTJump>(400, 100);
    EXPECT_EQ(jump->JumpText, "");
    jump->Calculate();
    EXPECT_EQ(jump->JumpText, "");   // unconnected
    t.Connect(text, 0, jump, 0);
    t.CalculateAll();
    EXPECT_EQ(jump->JumpText, "abc");
    jump->Inputs[0].Source = &number->Outputs[0];
    t.CalculateAll();
    EXPECT_EQ(jump->JumpText, ValueToStr(2.5L));
}

TEST_F(JumpTest, ARecordsPinCountsAreNotTrusted)
{
    for (auto [inputs, outputs] : {std::pair{0, 0}, std::pair{3, 2}}) {
        SCOPED_TRACE(inputs);
        // A component record that claims other counts, read into a jump.
        auto odd = std::unique_ptr<TBTJump>(CreateBauteil<TBTJump>());
        odd->SetInputCount(inputs);
        odd->SetOutputCount(outputs);
        TMemoryStream stream;
        {
            TWriter writer(stream);
            odd->TGrundBT::WriteData(stream, writer);
        }
        stream.SetPosition(0);
        auto back = std::unique_ptr<TBTJump>(CreateBauteil<TBTJump>());
        TReader reader(stream);
        back->ReadData(stream, reader, 46);
        EXPECT_EQ(back->InputCount, 1);
        EXPECT_EQ(back->OutputCount, 0);
        back->Calculate();   // reads input 0
        EXPECT_EQ(back->JumpText, "");
    }
}

TEST_F(JumpTest, TheSheetEditsTheNameUpToSixCharacters)
{
    auto* jump = t.Place<TBTJump>(400, 100);
    AnsiString title, caption;
    Integer help = 0, length = 0, width = 0;
    ShellHooks.TextRowDialog = [&](const AnsiString& t, Integer h, const AnsiString& c, AnsiString& text,
                                   Integer maxLength, Integer w) {
        title = t;
        help = h;
        caption = c;
        length = maxLength;
        width = w;
        text = "PUMPE12";
        return Integer{1};
    };
    EXPECT_EQ(jump->EditProperties(), 1);
    EXPECT_EQ(title, "Sprung");
    EXPECT_EQ(caption, "Name");
    EXPECT_EQ(help, 18532);
    EXPECT_EQ(length, 6);
    EXPECT_EQ(width, 80);
    EXPECT_EQ(jump->Caption, "PUMPE1");
}

TEST_F(JumpTest, BoundsLoseTwentyAtTopAndBottom)
{
    auto* jump = t.Place<TBTJump>(400, 100);
    const TRect full = jump->TGrundBT::GetBounds();
    const TRect r = jump->GetBounds();
    EXPECT_EQ(r.Top, full.Top + 20);
    EXPECT_EQ(r.Bottom, full.Bottom - 20);
    EXPECT_EQ(r.Left, full.Left);
    EXPECT_EQ(r.Right, full.Right);
}

TEST_F(JumpTest, TheArrowPointsAwayFromTheInput)
{
    t.Board().Zoom = 254.0 / 16;   // one board unit per pixel
    for (bool mirrored : {false, true}) {
        SCOPED_TRACE(mirrored);
        auto* jump = t.Place<TBTJump>(200, 100);
        jump->SetCaption("");
        jump->SymbolColor = 0xFF0000;   // blue outline
        jump->SetMirrored(mirrored);
        QImage image(600, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        TCanvas canvas(&image);
        t.Board().PrepareCanvas(canvas);
        jump->Draw(canvas);
        const TRect b = jump->BodyRect;
        const Integer cy = b.Top + (b.Bottom - b.Top) / 2;
        // The tip lies on the centre line at the side away from the input.
        const Integer tip = mirrored ? b.Left : b.Right;
        EXPECT_EQ(image.pixelColor(tip, cy), QColor(0, 0, 255));
        // At the input's side the tag has a straight edge from top to bottom.
        const Integer flat = mirrored ? b.Right : b.Left;
        EXPECT_EQ(image.pixelColor(flat, b.Top + 30), QColor(0, 0, 255));
        EXPECT_EQ(image.pixelColor(tip, b.Top + 30), QColor(255, 255, 255));
        // The input pin's stub is on the flat side.
        EXPECT_EQ(mirrored, jump->Inputs[0].X > b.Right);
        t.Board().RemoveObject(jump);
    }
}

} // namespace
