// The shared shape of the text components: each registered name a row of its
// family's class directly below TGrundBT, the label written into the body,
// and the pieces their settings sheets share. Texts are Windows-1252 byte
// strings: every byte 0..255, NUL included, passes through unchanged.
#pragma once

#include "engine/GrundBT.h"

#include <string_view>
#include <vector>

inline constexpr Integer TextHelp = 35010;

// A text component's row: the common row and the label written into the body.
struct TStrRow {
    TComponentRow Component;
    const char* Label = nullptr;
};

// A side of fixed pins: one per name of the comma-separated list.
constexpr TPinSide FixedPins(const char* names)
{
    Integer count = 1;
    for (const char c : std::string_view(names))
        count += c == ',';
    return {.Count = count, .Names = names};
}

class TStrBT : public TGrundBT {
public:
    static constexpr Integer MinCount = 2;
    static constexpr Integer MaxCount = 16;

    // The label from a TStrRow.
    explicit TStrBT(const TComponentRow& row) : TStrBT(row, FamilyRow<TStrRow>(row).Label) {}

    void InputsCreated() override;
    // The label in "ARIAL" 38, centred on the body, its top 24 units above
    // the centre.
    void Draw(TCanvas& canvas) override;

    // "$00 - " + character 0 ... "$FF - " + character 255.
    static std::vector<AnsiString> SeparatorChoices();
    // "2" ... "16".
    static std::vector<AnsiString> CountChoices();
    // A separator code from a file: outside 0..255 it is clamped.
    static Integer ClampSeparator(Integer code);

protected:
    // For a family whose row carries the label after more fields of its own.
    TStrBT(const TComponentRow& row, const char* label) : TGrundBT(row), label_(label) {}
    // The text of input i without a copy: a text driver's own text, else
    // the number's text held for this input.
    const AnsiString& InputText(Integer i)
    {
        const TBauteilPin* source = Inputs[i].Source;
        if (source && source->IsTextPin()) [[likely]]
            return source->Text;
        return NumberText(i);
    }

private:
    const AnsiString& NumberText(Integer i);

    const char* label_;
    std::vector<AnsiString> numberTexts_;
};
