// The devices of the platform that settings offer by index: joysticks and
// MIDI ports. The joystick and MIDI layers fill the counts and names when they
// find their devices; until then every list holds only "Kein".
#pragma once

#include "platform/SysTypes.h"

#include <vector>

// How many joysticks are present.
extern Integer JoystickCount;
// The names of the MIDI input and output devices in device-id order.
extern std::vector<AnsiString> MidiInputNames;
extern std::vector<AnsiString> MidiOutputNames;

// "Kein", then "Joystick #" and n for every joystick present.
std::vector<AnsiString> JoystickList();
// "Kein", then the device names.
std::vector<AnsiString> MidiInputList();
std::vector<AnsiString> MidiOutputList();
