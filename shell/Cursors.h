// The editor's own mouse cursors: zoom, pointing finger, soldering iron,
// placing hand, pin end, text and pin inversion, drawn from the program's
// pictures into the screen's cursor table under their numbers.
#pragma once

void LoadCustomCursors();
