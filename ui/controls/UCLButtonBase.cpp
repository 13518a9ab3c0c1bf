#include "ui/controls/UCLButtonBase.h"

#include "platform/AnsiText.h"

namespace {

constexpr const char* StyleNames[] = {
    "ubsWin31", "ubsWin40", "ubsClassic", "ubsClassicFlat", "ubsFlat", "ubsFlatUnColored", "ubsNavigator",
    "ubsExplorer", "ubsExplorerColored", "ubsIntegrated", "ubsCombo", "ubsOffice", "ubsOfficeTransp",
    "ubsWin40Ext",
};

} // namespace

bool ReadButtonStyle(std::string_view Identifier, TUCLUserButtonStyle& Style, bool& XPLook)
{
    struct {
        const char* Name;
        TUCLUserButtonStyle Style;
    } static constexpr retired[] = {
        {"ubsWinXP", ubsWin40}, {"ubsWinXPCombo", ubsCombo}, {"ubsWinXPTool", ubsExplorer}};
    for (const auto& r : retired) {
        if (AnsiSameText(Identifier, r.Name)) {
            Style = r.Style;
            XPLook = true;
            return true;
        }
    }
    for (int i = 0; i <= int(ubsWin40Ext); ++i) {
        if (AnsiSameText(Identifier, StyleNames[i])) {
            Style = TUCLUserButtonStyle(i);
            XPLook = false;
            return true;
        }
    }
    return false;
}

const char* ButtonStyleName(TUCLUserButtonStyle Style)
{
    return Style <= ubsWin40Ext ? StyleNames[Style] : "";
}

bool ButtonStyleIsGroupA(TUCLUserButtonStyle Style)
{
    switch (Style) {
    case ubsClassic:
    case ubsClassicFlat:
    case ubsFlat:
    case ubsNavigator:
    case ubsExplorer:
    case ubsExplorerColored:
    case ubsOffice:
    case ubsOfficeTransp:
        return true;
    default:
        return false;
    }
}

Integer ButtonStyleValue(Byte Style)
{
    switch (Style & 0x7F) {
    case ubsWin31:
        return 3;
    case ubsWin40:
    case ubsClassic:
    case ubsClassicFlat:
    case ubsNavigator:
    case ubsIntegrated:
    case ubsWin40Ext:
        return 2;
    default:
        return 1;
    }
}
