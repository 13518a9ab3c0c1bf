// The looks of the library's buttons and the routines the speed button and
// the button-face painter share about them.
#pragma once

#include "platform/SysTypes.h"

#include <string_view>

enum TUCLUserButtonStyle : Byte {
    ubsWin31, ubsWin40, ubsClassic, ubsClassicFlat, ubsFlat, ubsFlatUnColored, ubsNavigator,
    ubsExplorer, ubsExplorerColored, ubsIntegrated, ubsCombo, ubsOffice, ubsOfficeTransp, ubsWin40Ext,
};

// A style read from a stored form: the three retired XP names map to a style
// with the XP look; any other known name is that style without it. An unknown
// name leaves Style as it was and answers false.
bool ReadButtonStyle(std::string_view Identifier, TUCLUserButtonStyle& Style, bool& XPLook);
// The name of a style as forms store it.
const char* ButtonStyleName(TUCLUserButtonStyle Style);

// The flat families: ubsClassic, ubsClassicFlat, ubsFlat, ubsNavigator,
// ubsExplorer, ubsExplorerColored, ubsOffice, ubsOfficeTransp.
bool ButtonStyleIsGroupA(TUCLUserButtonStyle Style);
// 3 for ubsWin31; 2 for ubsWin40, ubsClassic, ubsClassicFlat, ubsNavigator,
// ubsIntegrated and ubsWin40Ext; 1 for the others. The top bit of the style
// byte is ignored.
Integer ButtonStyleValue(Byte Style);
