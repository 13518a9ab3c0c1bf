#include "hardware/framework/DeviceChoices.h"

#include "engine/Globals.h"
#include "engine/Language.h"

#include <string>

Integer JoystickCount = 0;
std::vector<AnsiString> MidiInputNames;
std::vector<AnsiString> MidiOutputNames;

namespace {

const bool DeviceChoicesReset = AddGlobalsReset([] {
    JoystickCount = 0;
    MidiInputNames.clear();
    MidiOutputNames.clear();
});

std::vector<AnsiString> NoneThen(const std::vector<AnsiString>& names)
{
    std::vector<AnsiString> list{Translate("Kein")};
    list.insert(list.end(), names.begin(), names.end());
    return list;
}

}   // namespace

std::vector<AnsiString> JoystickList()
{
    std::vector<AnsiString> list{Translate("Kein")};
    for (Integer n = 1; n <= JoystickCount; ++n)
        list.push_back("Joystick #" + std::to_string(n));
    return list;
}

std::vector<AnsiString> MidiInputList()
{
    return NoneThen(MidiInputNames);
}

std::vector<AnsiString> MidiOutputList()
{
    return NoneThen(MidiOutputNames);
}
