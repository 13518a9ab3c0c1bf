// The front-panel window's block of the project file: window bounds, title,
// pages, run-time options, print layout, web publishing and window state, in
// the order and with the version gates of the file format.
#include "panel/framework/Frontplatte.h"

#include "panel/framework/FrontplatteGlobals.h"
#include "panel/framework/PanelGlobals.h"
#include "platform/AnsiText.h"
#include "platform/Stream.h"

#include <QTabBar>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr std::size_t TitleBlock = TFrontplatte::TitleLength + 1;

// The page and comment counts are stored as 16-bit numbers.
void WriteLines16(TWriter& writer, const std::vector<AnsiString>& lines)
{
    writer.WriteInteger(static_cast<std::int16_t>(std::min<std::size_t>(lines.size(), 32767)));
    for (std::size_t i = 0; i < lines.size() && i < 32767; ++i)
        writer.WriteString(lines[i]);
}

Integer Clamp(Integer value, Integer low, Integer high)
{
    return std::clamp(value, low, high);
}

} // namespace

void TFrontplatte::WriteToStream(TStream&, TWriter& writer)
{
    const QRect bounds = WindowStateValue() == 0 ? WindowBounds() : NormalBounds;
    WriteRawWord(writer, bounds.x());
    WriteRawWord(writer, bounds.y());
    WriteRawWord(writer, bounds.width());
    WriteRawWord(writer, bounds.height());
    WriteShortString(writer, Title, TitleBlock);

    std::vector<AnsiString> pages;
    for (const QString& name : PageNames())
        pages.push_back(QStringToAnsi(name));
    WriteLines16(writer, pages);
    writer.WriteInteger(AktiveFrontplatte());
    for (bool option : {ShowDlgBtn, ShowOpenBtn, ShowSaveBtn, ShowHelpBtn, ToolTitel, Skalierbar, AutoSaveOption})
        writer.WriteBoolean(option);
    writer.WriteString(HelpFile);
    writer.WriteBoolean(ShowHints);
    writer.WriteBoolean(ShowHintBtn);
    writer.WriteBoolean(ShowPrintBtn);
    writer.WriteBoolean(ShowCopyBtn);
    writer.WriteString(IconFile);
    writer.WriteBoolean(ShowHWBtn);
    const TColor c = PanelDefaultColor;
    const Byte colour[4] = {static_cast<Byte>(c), static_cast<Byte>(c >> 8), static_cast<Byte>(c >> 16),
                            static_cast<Byte>(c >> 24)};
    writer.Write(colour, sizeof colour);

    writer.WriteBoolean(ShowInternalBtn);
    writer.WriteInteger(PrintOffset.x());
    writer.WriteInteger(PrintOffset.y());
    writer.WriteInteger(PreviewOffset.x());
    writer.WriteInteger(PreviewOffset.y());
    writer.WriteInteger(PrintZoom);
    writer.WriteFloat(PrintScale);
    writer.WriteString(PrintHeadline);
    writer.WriteBoolean(PrintMono);
    writer.WriteBoolean(PrintCentered);
    writer.WriteBoolean(PrintBackground);
    writer.WriteInteger(PrinterIndex);
    writer.WriteInteger(PrintOrientation);
    WriteLines16(writer, PrintComment);
    writer.WriteInteger(ToolbarMode);

    writer.WriteString(WebServerPath);
    writer.WriteInteger(WebModeValue);
    writer.WriteInteger(WebRefreshSeconds);
    writer.WriteInteger(WindowStateValue());
    writer.WriteBoolean(FullScreen);
}

void TFrontplatte::ReadFromStream(TStream& stream, TReader& reader, Byte version)
{
    // The program's globals that the block sets come back when it is damaged.
    const TColor colour = PanelDefaultColor;
    const AnsiString prefix = WebPanelPrefix;
    const AnsiString serverPath = WebServerPath;
    const Integer refresh = WebRefreshSeconds;
    try {
        ReadBlock(stream, reader, version);
    } catch (...) {
        PanelDefaultColor = colour;
        WebPanelPrefix = prefix;
        WebServerPath = serverPath;
        WebRefreshSeconds = refresh;
        throw;
    }
}

void TFrontplatte::ReadBlock(TStream&, TReader& reader, Byte version)
{
    QRect bounds;
    bounds.setX(ReadRawSmallInt(reader));
    bounds.setY(ReadRawSmallInt(reader));
    // A damaged size is no window: the smallest one instead, and no window
    // larger than an element may be (its backing store would take gigabytes).
    bounds.setWidth(std::max(ReadRawExtent(reader), 1));
    bounds.setHeight(std::max(ReadRawExtent(reader), 1));
    SetWindowBounds(bounds);
    NormalBounds = bounds;
    Title = ReadShortString(reader, TitleBlock);
    setWindowTitle(AnsiToQString(Title));
    Root->SetElementName(Title);
    WebPanelPrefix = Title;
    const QSignalBlocker block(TabControl1);
    while (TabControl1->count() > 0)
        TabControl1->removeTab(0);

    Integer tabIndex = 0;
    Integer windowState = 0;
    if (version < 3) {
        TabControl1->addTab(AnsiToQString(Root->GetPanelCaption()));
        ShowDlgBtn = ShowOpenBtn = ShowSaveBtn = ShowHelpBtn = ToolTitel = false;
        ToolbarMode = 0;
        Skalierbar = true;
        AutoSaveOption = true;
        HelpFile.clear();
        ShowHints = true;
        ShowHintBtn = ShowPrintBtn = ShowCopyBtn = ShowHWBtn = false;
        LoadIcon("");
        PanelDefaultColor = NewPanelColor;
    } else {
        std::vector<AnsiString> pages;
        ReadLines(reader, pages);
        for (const AnsiString& page : pages)
            TabControl1->addTab(AnsiToQString(page));
        tabIndex = reader.ReadInteger();
        for (bool* option : {&ShowDlgBtn, &ShowOpenBtn, &ShowSaveBtn, &ShowHelpBtn, &ToolTitel, &Skalierbar,
                             &AutoSaveOption})
            *option = reader.ReadBoolean();
        HelpFile = reader.ReadString();
        ShowHints = reader.ReadBoolean();
        HintBtn->setChecked(ShowHints);
        ShowHintBtn = reader.ReadBoolean();
        ShowPrintBtn = reader.ReadBoolean();
        ShowCopyBtn = reader.ReadBoolean();
        const AnsiString icon = reader.ReadString();
        ShowHWBtn = reader.ReadBoolean();
        Byte colour[4];
        reader.Read(colour, sizeof colour);
        PanelDefaultColor = static_cast<TColor>(colour[0] | colour[1] << 8 | colour[2] << 16 |
                                                static_cast<Cardinal>(colour[3]) << 24);
        // The name is kept as stored even when the icon cannot be loaded here,
        // so that the file saves again as it was.
        LoadIcon(icon);
        IconFile = icon;
        if (version < 40) {
            ShowInternalBtn = false;
        } else {
            ShowInternalBtn = reader.ReadBoolean();
            PrintOffset.setX(reader.ReadInteger());
            PrintOffset.setY(reader.ReadInteger());
            PreviewOffset.setX(reader.ReadInteger());
            PreviewOffset.setY(reader.ReadInteger());
            PrintZoom = Clamp(reader.ReadInteger(), 0, 200);
            PrintScale = reader.ReadFloat();
            PrintHeadline = reader.ReadString();
            PrintMono = reader.ReadBoolean();
            PrintCentered = reader.ReadBoolean();
            PrintBackground = reader.ReadBoolean();
            PrinterIndex = reader.ReadInteger();
            PrintOrientation = Clamp(reader.ReadInteger(), 0, 1);
            ReadLines(reader, PrintComment);
            ToolbarMode = Clamp(reader.ReadInteger(), 0, 2);
        }
        if (version < 43) {
            if (version >= 40) {
                // No web-server add-on comes with this program.
                WebServerPath.clear();
                SetWebMode(0);
                WebRefreshSeconds = 5;
            }
        } else {
            WebServerPath = reader.ReadString();
            SetWebMode(Clamp(reader.ReadInteger(), 0, 2));
            WebRefreshSeconds = Clamp(reader.ReadInteger(), 0, 3600);
        }
        if (version >= 44) {
            windowState = Clamp(reader.ReadInteger(), 0, 2);
            FullScreen = reader.ReadBoolean();
        }
    }
    if (version < 44) {
        windowState = 0;
        FullScreen = false;
    }
    if (TabControl1->count() == 0)
        TabControl1->addTab(AnsiToQString(Root->GetPanelCaption()));
    TabControl1->setCurrentIndex(Clamp(tabIndex, 0, TabControl1->count() - 1));
    SetWindowStateValue(windowState);

    TabControl1Change();
    SetRunMode(RunMode);
    ShowPanel(Shown);
}
