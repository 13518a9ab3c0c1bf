// Plain procedures the controls share: short string tasks, folders and path
// shortening, and window placement. Paths use this platform's "/" and also
// accept "\" where a stored Windows name may come in.
#pragma once

#include "platform/SysTypes.h"

#include <functional>
#include <vector>

class QWidget;

enum TUCLPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };
enum TUCLDlgPosRel { brScreen, brScreenWorkArea, brMainForm, brActiveWindow };
enum TUCLDlgPosition {
    bpCustom, bpTopLeft, bpTopCenter, bpTopRight, bpCenterLeft, bpCenter, bpCenterRight,
    bpBottomLeft, bpBottomCenter, bpBottomRight,
};

// Strings.
bool IsBlank(const AnsiString& S);                       // empty or blanks only
AnsiString TextBefore(const AnsiString& S, char C);      // S when C does not occur
AnsiString TextAfter(const AnsiString& S, char C);       // at most 255 characters; S when C does not occur
// Pieces between separators, empty ones included; a final separator adds no
// empty item.
std::vector<AnsiString> SplitToStrings(const AnsiString& Text, char Separator);

// Folders. There is no Windows folder here: the system's root and library
// folders stand in for the Windows and system folders.
AnsiString WindowsFolder();   // "/"
AnsiString SystemFolder();    // "/usr/lib"
// S unchanged when it is not blank and ends with a separator, else S + "/".
AnsiString AddTrailingBackslash(const AnsiString& S);
// One final separator removed unless S is blank.
AnsiString RemoveTrailingBackslash(const AnsiString& S);
// The prefix's folder with or without its trailing separator; "" for ppFixed.
AnsiString PathPrefixFolder(TUCLPathPrefix Prefix, bool WithSlash);

// Shortens the folder part from the front, one folder per step, to "...":
// "C:\Programme\Daten\test.prj" becomes "C:\...\Daten\test.prj", then
// "C:\...\test.prj", then "...\test.prj", until the text fits MaxLength or
// nothing is left to drop.
AnsiString ShortenPath(const AnsiString& Path, int MaxLength);
// The same against another measure of the text, for example its pixel width
// in a font.
AnsiString ShortenPath(const AnsiString& Path, const std::function<int(const AnsiString&)>& Measure,
                       int MaxWidth);
// One step on the folder part (separators included at both ends).
void ShortenFolderPart(AnsiString& Part);

// Geometry.
bool RectInRect(const TRect& Inner, const TRect& Outer);   // both corner points inside
// The largest rectangle of Source's proportions that fits Dest, at Dest's top-left.
TRect FitRectProportional(const TRect& Source, const TRect& Dest);
// The area a dialog is placed in; the screen when there is no such window.
TRect PositionArea(TUCLDlgPosRel PosRel);
// Top-left corner of a Width x Height window placed in Area, kept inside the
// desktop (right and bottom first, then not below 0).
TPoint PlacePosition(Integer Width, Integer Height, const TRect& Area, TUCLDlgPosition Position,
                     const TRect& Desktop);
// Moves the window (not resizing it) to PlacePosition on its screen.
void PlaceWindow(QWidget* Window, const TRect& Area, TUCLDlgPosition Position);
