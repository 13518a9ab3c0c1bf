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

namespace {

constexpr TFrontClass FrontClassTable[] = {
    {"TBTLed", "TPLed"},
    {"TBTDuoLED", "TDuoLED"},
    {"TBTRGB_LED", "TRGBLED"},
    {"TBT_Analyser", "TFP_Analyser"},
    {"TBT_Scope", "TFP_Scope"},
    {"TBTTaster", "TSchalter"},
    {"TBTAnalogTaster", "TSchalter"},
    {"TBTAnalogTaster2", "TSchalter"},
    {"TBTSchalter", "TSchalter"},
    {"TBTAnalogSchalter", "TSchalter"},
    {"TBTAnalogSchalter2", "TSchalter"},
    {"TBTTastatur", "TTastatur"},
    {"TBTSetliste", "TSetliste"},
    {"TBTBrowser", "TFP_Browser"},
    {"TBTStiftplotter", "TStiftplotter"},
    {"TBTJoyst", "TFPJoystick"},
    {"TBTRaendel", "TFPRaendel"},
    {"TBTLedBar", "TLEDBAR"},
    {"TBTPoti", "TPoti"},
    {"TBTSlider", "TSlider"},
    {"TBTZeiger", "TMeter"},
    {"TBTLeuchtbalken", "TLeuchtbalken"},
    {"TBTNumDisplay", "TNumDisplay"},
    {"TBTLEDDisplay", "TLEDDisplay"},
    {"TBTCounter", "TCounter"},
    {"TBTGraf", "TFPGraf"},
    {"TBTStrEdit", "TFP_Str_Edit"},
    {"TBTStrDisplay", "TTDisplay"},
    {"TBTHexInput", "THexInput"},
    {"TBTHexDisplay", "THexDisplay"},
    {"TBTTextDisplay", "TTDisplay"},
    {"TBTDPoti", "TDPoti"},
    {"TBTDSlider", "TDSlider"},
    {"TBTTabelle", "TTabelle"},
    {"TBTStopUhr", "TStopUhr"},
    {"TBTSchaltUhr", "TSchaltUhr"},
    {"TBTWochenSchaltuhr", "TWochenSchaltuhr"},
    {"TBTTagesSchaltuhr", "TTagesSchaltuhr"},
    {"TBTAuswahlliste", "TAuswahlliste"},
    {"TBTXY", "TFPXY"},
    {"TBTLampe", "TPLampe"},
    {"TBT7Segment", "T7Segment"},
    {"TBTASCII_Display", "TASCII_Display"},
    {"TBTNumEingabe", "TNumEingabe"},
    {"TBTProjektor", "TProjektor"},
    {"TBTMediaPlayer", "TMediPlayer"},
};

} // namespace

std::span<const TFrontClass> FrontClasses()
{
    return FrontClassTable;
}

const char* FrontElementClassOf(std::string_view componentClass)
{
    for (const TFrontClass& row : FrontClassTable)
        if (componentClass == row.Component)
            return row.Element;
    return "";
}
