// The text display and the text entry: components that own a front-panel
// element and talk to it only through the element interfaces of the engine.
// A component without an element (placed while a library loads, or whose
// element could not be made) skips every element action.
#pragma once

#include "engine/BTFront.h"

class ITextDisplayElement;
class ITextEntryElement;

// Shows the text of "$" on its display element, setting it only when it
// differs from what the element shows; "$String" after every start and stop.
class TBTStrDisplay : public TBTFront {
public:
    static constexpr const char* IdleText = "$String";

    using TBTFront::TBTFront;
    void Draw(TCanvas& canvas) override;
    void ResetForStart() override;
    void Calculate() override;

private:
    ITextDisplayElement* Display() const;
};

// "$": the text the operator confirmed on the entry element. No step of its
// own: the element announces each confirmed text.
class TBTStrEdit : public TBTFront {
public:
    using TBTFront::TBTFront;
    void Draw(TCanvas& canvas) override;
    // Installs TextChanged on the element and takes its current text.
    void ResetForStart() override;
    // The element's OnSetWert: its accepted text to "$".
    void TextChanged();

private:
    ITextEntryElement* Entry() const;
};

// The display and the entry.
TRowList StrPanelRows();
