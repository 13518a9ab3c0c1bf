// A free text label on a board: one line of text in its own font, with no
// pins and no part in the simulation. Its box follows the text each time it
// is drawn.
#pragma once

#include "engine/Bauteil.h"
#include "platform/Canvas.h"

#include <functional>

// The label record after the base record: a raw block of this many bytes.
inline constexpr std::size_t TextRecordSize = 94;
inline constexpr std::size_t TextFontNameLength = 31;
inline constexpr std::size_t TextMaxLength = 50;

class TText : public TBauteil {
    ZK_CLASS(TText, TBauteil)

public:
    TText();

    AnsiString Text = "Text";
    // Text width + 30 and text height when last read or drawn (board units).
    Integer Width = 200;
    Integer Height = 200;
    // Set by the board: repaints the label after its dialog.
    std::function<void(TText*)> OnNeuZeichnen;
    // Its height is in board units, so the label scales with the zoom.
    TFont Font;

    void Draw(TCanvas& canvas) override;
    bool HitTest(TPoint devicePoint, const TCanvas& canvas) const override;
    void MoveBy(TPoint offset) override;
    TRect GetBounds() const override;
    Integer EditProperties() override;
    AnsiString GetHintText() override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

private:
    void Measure(TCanvas& canvas);
};
