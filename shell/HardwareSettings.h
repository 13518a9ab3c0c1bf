// The device connections of a project in a key/value store, one section per
// hardware component: the number of the board holding it, ".", its designator
// and its number ("1.HW1"). The main board is 1; each macro's inner board
// takes the next number when the walk enters it, depth first, after the
// hardware components of the board around it.
#pragma once

#include "platform/SysTypes.h"

class TCustomIniFile;
class TPlatine;

// counter: the number of board; the walk of a project starts with 1.
void WriteHardwareSettings(TPlatine& board, TCustomIniFile& store, Integer& counter);
void ReadHardwareSettings(TPlatine& board, TCustomIniFile& store, Integer& counter);
