#include "ui/controls/UCLProcs.h"

#include "platform/Paths.h"

#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

// The separator a path already uses, so shortened names keep their style.
char SeparatorOf(const AnsiString& s)
{
    auto it = std::find_if(s.begin(), s.end(), IsSeparator);
    return it == s.end() ? '/' : *it;
}

TRect ToRect(const QRect& r)
{
    return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

TRect ScreenRect(QScreen* screen)
{
    return screen ? ToRect(screen->geometry()) : TRect{};
}

}   // namespace

bool IsBlank(const AnsiString& S)
{
    return std::all_of(S.begin(), S.end(), [](char c) { return c == ' '; });
}

AnsiString TextBefore(const AnsiString& S, char C)
{
    const auto p = S.find(C);
    return p == AnsiString::npos ? S : S.substr(0, p);
}

AnsiString TextAfter(const AnsiString& S, char C)
{
    const auto p = S.find(C);
    return p == AnsiString::npos ? S : S.substr(p + 1, 255);
}

std::vector<AnsiString> SplitToStrings(const AnsiString& Text, char Separator)
{
    std::vector<AnsiString> list;
    std::size_t start = 0;
    for (std::size_t p; (p = Text.find(Separator, start)) != AnsiString::npos; start = p + 1)
        list.push_back(Text.substr(start, p - start));
    if (start < Text.size())
        list.push_back(Text.substr(start));
    return list;
}

AnsiString WindowsFolder()
{
    return "/";
}

AnsiString SystemFolder()
{
    return "/usr/lib";
}

AnsiString AddTrailingBackslash(const AnsiString& S)
{
    if (!IsBlank(S) && IsSeparator(S.back()))
        return S;
    return S + "/";
}

AnsiString RemoveTrailingBackslash(const AnsiString& S)
{
    if (!IsBlank(S) && IsSeparator(S.back()))
        return S.substr(0, S.size() - 1);
    return S;
}

AnsiString PathPrefixFolder(TUCLPathPrefix Prefix, bool WithSlash)
{
    AnsiString folder;
    switch (Prefix) {
    case ppWindows: folder = WindowsFolder(); break;
    case ppSystem: folder = SystemFolder(); break;
    case ppProgram: folder = ProgramFolder(); break;
    case ppFixed: return {};
    }
    return WithSlash ? AddTrailingBackslash(folder) : RemoveTrailingBackslash(folder);
}

void ShortenFolderPart(AnsiString& Part)
{
    if (Part.size() == 1 && IsSeparator(Part[0])) {
        Part.clear();
        return;
    }
    const char sep = SeparatorOf(Part);
    const bool leading = !Part.empty() && IsSeparator(Part[0]);
    if (leading)
        Part.erase(0, 1);
    if (!Part.empty() && Part[0] == '.')
        Part.erase(0, std::min<std::size_t>(4, Part.size()));   // a previous "...\"
    const auto p = std::find_if(Part.begin(), Part.end(), IsSeparator);
    if (p == Part.end())
        Part.clear();
    else
        Part = AnsiString("...") + sep + AnsiString(p + 1, Part.end());
    if (leading)
        Part.insert(Part.begin(), sep);
}

AnsiString ShortenPath(const AnsiString& Path, int MaxLength)
{
    return ShortenPath(Path, [](const AnsiString& s) { return static_cast<int>(s.size()); }, MaxLength);
}

AnsiString ShortenPath(const AnsiString& Path, const std::function<int(const AnsiString&)>& Measure,
                       int MaxWidth)
{
    const char sep = SeparatorOf(Path);
    AnsiString drive;
    AnsiString rest = Path;
    if (Path.size() >= 2 && Path[1] == ':') {
        drive = Path.substr(0, 2);
        rest = Path.substr(2);
    }
    const auto lastSep = std::find_if(rest.rbegin(), rest.rend(), IsSeparator);
    const std::size_t nameStart = rest.rend() - lastSep;
    const AnsiString name = rest.substr(nameStart);
    AnsiString folder = rest.substr(0, nameStart);
    const AnsiString dots = AnsiString(1, sep) + "..." + sep;

    auto text = [&] { return drive + folder + name; };
    while ((!folder.empty() || !drive.empty()) && Measure(text()) > MaxWidth) {
        if (folder == dots) {
            folder = dots.substr(1);
            drive.clear();
        } else if (!folder.empty()) {
            ShortenFolderPart(folder);
        } else {
            drive.clear();
        }
    }
    return text();
}

bool RectInRect(const TRect& Inner, const TRect& Outer)
{
    auto inside = [&](Integer x, Integer y) {
        return x >= Outer.Left && x < Outer.Right && y >= Outer.Top && y < Outer.Bottom;
    };
    return inside(Inner.Left, Inner.Top) && inside(Inner.Right, Inner.Bottom);
}

TRect FitRectProportional(const TRect& Source, const TRect& Dest)
{
    const double sw = Source.Width(), sh = Source.Height();
    if (sw <= 0 || sh <= 0)
        return Rect(Dest.Left, Dest.Top, Dest.Left, Dest.Top);
    const double f = std::min(Dest.Width() / sw, Dest.Height() / sh);
    const auto w = static_cast<Integer>(std::trunc(sw * f));
    const auto h = static_cast<Integer>(std::trunc(sh * f));
    return Rect(Dest.Left, Dest.Top, Dest.Left + w, Dest.Top + h);
}

TRect PositionArea(TUCLDlgPosRel PosRel)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const TRect screenRect = ScreenRect(screen);
    auto windowRect = [&](const QWidget* w) { return w ? ToRect(w->frameGeometry()) : screenRect; };
    switch (PosRel) {
    case brScreen: return screenRect;
    case brScreenWorkArea: return screen ? ToRect(screen->availableGeometry()) : TRect{};
    case brMainForm: {
        const auto tops = QApplication::topLevelWidgets();
        auto it = std::find_if(tops.begin(), tops.end(), [](QWidget* w) { return qobject_cast<QMainWindow*>(w); });
        return windowRect(it == tops.end() ? nullptr : *it);
    }
    case brActiveWindow: return windowRect(QApplication::activeWindow());
    }
    return screenRect;
}

TPoint PlacePosition(Integer Width, Integer Height, const TRect& Area, TUCLDlgPosition Position,
                     const TRect& Desktop)
{
    Integer x = Area.Left, y = Area.Top;
    const Integer cx = Area.Left + (Area.Width() - Width) / 2;
    const Integer cy = Area.Top + (Area.Height() - Height) / 2;
    const Integer right = Area.Right - Width;
    const Integer bottom = Area.Bottom - Height;
    switch (Position) {
    case bpCustom:
    case bpTopLeft: break;
    case bpTopCenter: x = cx; break;
    case bpTopRight: x = right; break;
    case bpCenterLeft: y = cy; break;
    case bpCenter: x = cx; y = cy; break;
    case bpCenterRight: x = right; y = cy; break;
    case bpBottomLeft: y = bottom; break;
    case bpBottomCenter: x = cx; y = bottom; break;
    case bpBottomRight: x = right; y = bottom; break;
    }
    if (y + Height > Desktop.Height())
        y = Desktop.Height() - Height;
    if (x + Width > Desktop.Width())
        x = Desktop.Width() - Width;
    return Point(std::max(x, 0), std::max(y, 0));
}

void PlaceWindow(QWidget* Window, const TRect& Area, TUCLDlgPosition Position)
{
    if (!Window)
        return;
    QScreen* screen = Window->screen() ? Window->screen() : QGuiApplication::primaryScreen();
    const QRect frame = Window->frameGeometry();
    const TPoint p = PlacePosition(frame.width(), frame.height(), Area, Position, ScreenRect(screen));
    Window->move(p.X, p.Y);
}
