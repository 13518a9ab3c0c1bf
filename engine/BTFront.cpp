#include "engine/BTFront.h"

#include "engine/PanelInterfaces.h"

TBTFront::TBTFront()
{
    BodyColor1 = 0xEAEAEA;
    BodyColor2 = 0xCAA0A0;
    HelpContext = 17900;
}

TBTFront::TBTFront(const TComponentRow& row) : TGrundBT(row)
{
    BodyColor1 = 0xEAEAEA;
    BodyColor2 = 0xCAA0A0;
}

AnsiString TBTFront::GetHintText()
{
    AnsiString text = TGrundBT::GetHintText();
    if (PanelElement) {
        const AnsiString hint = PanelElement->Hint();
        if (!hint.empty())
            text += CR + ("\"" + hint + "\"");
    }
    return text;
}
