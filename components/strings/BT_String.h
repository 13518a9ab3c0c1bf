// The shared shape of the text components: names, pins, help and settings
// from one table row per class, the label written into the body, and the
// pieces their settings dialogs share. Texts are Windows-1252 byte strings:
// every byte 0..255, NUL included, passes through unchanged.
#pragma once

#include "engine/GrundBT.h"

#include <vector>

class TDefault_Dlg;

// What tells one text component from another.
struct TStrInfo {
    const char* TypeName[3];      // German, English, French
    const char* Designator;
    const char* Label;            // written into the body
    Integer HelpContext;
    bool HasDialog;
    Integer Inputs, Outputs;      // after construction
    const char* InputNames[8];    // by index; pins beyond are named by the class
    const char* OutputNames[3];
};

// Not a stream class of its own: each text component stands in the class
// registry directly below TGrundBT.
class TStrBT : public TGrundBT {
public:
    static constexpr Integer MinCount = 2;
    static constexpr Integer MaxCount = 16;

    // Names the pins once more, now through the final class.
    void AfterConstruction() override;
    void InputsCreated() override;
    void OutputsCreated() override;
    AnsiString GetTypeName() const override;
    void Draw(TCanvas& canvas) override;
    // A record whose pin counts the class cannot have is refused.
    void ReadData(TStream& stream, TReader& reader, Byte version) override;

    // The label in "ARIAL" 38, centred on the body, its top 24 units above
    // the centre (red when selected).
    static void DrawLabel(TIOBauteil& component, TCanvas& canvas, const AnsiString& label, bool selected);
    // "$00 - " + character 0 ... "$FF - " + character 255.
    static std::vector<AnsiString> SeparatorChoices();
    // "2" ... "16".
    static std::vector<AnsiString> CountChoices();
    // A separator code from a file: outside 0..255 it is clamped.
    static Integer ClampSeparator(Integer code);

protected:
    explicit TStrBT(const TStrInfo& info);
    const TStrInfo& Info() const { return info_; }
    // The pin counts the step relies on: by default those of the table.
    virtual bool FitsPins() const { return InputCount == info_.Inputs && OutputCount == info_.Outputs; }
    // The shared property sheet, emptied, with the title and this help context.
    TDefault_Dlg& OpenDialog(const AnsiString& title);
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

    const TStrInfo& info_;
    std::vector<AnsiString> numberTexts_;
};
