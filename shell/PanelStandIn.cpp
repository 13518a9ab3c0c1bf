#include "shell/PanelStandIn.h"

#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/ClassRegistry.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

namespace {

// The panel's caption and the caption of its first page by language.
AnsiString PanelTitle()
{
    switch (LanguageIndex) {
    case 1: return "Front panel";
    case 2: return "Panneau de contrôle"_ansi;
    default: return "Frontplatte";
    }
}

constexpr std::size_t TitleLength = 50;

// The window's seven options (ShowDlgBtn .. AutoSave) of a new project and
// of a file too old to hold them.
constexpr bool NewProjectOptions[7] = {true, true, true, false, false, false, true};
constexpr bool OldFileOptions[7] = {false, false, false, false, false, true, true};

void WriteLinesInt16(TWriter& writer, const std::vector<AnsiString>& lines)
{
    writer.WriteInteger(static_cast<std::int16_t>(lines.size()));
    for (const AnsiString& line : lines)
        writer.WriteString(line);
}

std::int16_t ReadRawInt16(TReader& reader)
{
    Byte bytes[2];
    reader.Read(bytes, sizeof bytes);
    return static_cast<std::int16_t>(bytes[0] | bytes[1] << 8);
}

void WriteRawInt16(TWriter& writer, Integer value)
{
    const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
    const Byte bytes[2] = {static_cast<Byte>(v & 0xFF), static_cast<Byte>(v >> 8)};
    writer.Write(bytes, sizeof bytes);
}

} // namespace

// ---- Window block

TStandInFrontplatte::TStandInFrontplatte() : root_(std::make_unique<TDesign>()), shown_(root_.get())
{
    ResetToNewProject();
}

void TStandInFrontplatte::ResetToNewProject()
{
    // A fresh root container with the settings of a new project.
    root_ = std::make_unique<TDesign>();
    root_->IsRootPanel = true;
    root_->WebTitle = false;
    shown_ = root_.get();
    Title = PanelTitle();
    root_->SetElementName(Title);
    Pages = {PanelTitle() + " 1"};
    TabIndex = 0;
    std::copy(std::begin(NewProjectOptions), std::end(NewProjectOptions), Options);
    HelpFile.clear();
    PanelDefaultColor = NewPanelColor;
    WebMode = 0;
}

void TStandInFrontplatte::WriteToStream(TStream&, TWriter& writer)
{
    WriteRawInt16(writer, WindowLeft);
    WriteRawInt16(writer, WindowTop);
    WriteRawInt16(writer, WindowWidth);
    WriteRawInt16(writer, WindowHeight);
    Byte title[1 + TitleLength] = {};
    title[0] = static_cast<Byte>(std::min(Title.size(), TitleLength));
    std::memcpy(title + 1, Title.data(), title[0]);
    writer.Write(title, sizeof title);

    WriteLinesInt16(writer, Pages);
    writer.WriteInteger(TabIndex);
    for (bool option : Options)
        writer.WriteBoolean(option);
    writer.WriteString(HelpFile);
    writer.WriteBoolean(ShowHint);
    writer.WriteBoolean(ShowHintBtn);
    writer.WriteBoolean(ShowPrintBtn);
    writer.WriteBoolean(ShowCopyBtn);
    writer.WriteString(IconFile);
    writer.WriteBoolean(ShowHWBtn);
    const Byte colour[4] = {static_cast<Byte>(PanelDefaultColor), static_cast<Byte>(PanelDefaultColor >> 8),
                            static_cast<Byte>(PanelDefaultColor >> 16), static_cast<Byte>(PanelDefaultColor >> 24)};
    writer.Write(colour, sizeof colour);

    writer.WriteBoolean(ShowInternalBtn);
    writer.WriteInteger(PrintOffsetX);
    writer.WriteInteger(PrintOffsetY);
    writer.WriteInteger(PreviewOffsetX);
    writer.WriteInteger(PreviewOffsetY);
    writer.WriteInteger(PrintZoom);
    writer.WriteFloat(PrintScale);
    writer.WriteString(PrintHeadline);
    writer.WriteBoolean(PrintMono);
    writer.WriteBoolean(PrintCentered);
    writer.WriteBoolean(PrintBackground);
    writer.WriteInteger(PrinterIndex);
    writer.WriteInteger(PrintOrientation);
    WriteLinesInt16(writer, PrintComment);
    writer.WriteInteger(ToolbarMode);

    writer.WriteString(WebServerPath);
    writer.WriteInteger(WebMode);
    writer.WriteInteger(WebRefreshSeconds);
    writer.WriteInteger(WindowState);
    writer.WriteBoolean(FullScreen);
}

void TStandInFrontplatte::ReadFromStream(TStream&, TReader& reader, Byte version)
{
    WindowLeft = ReadRawInt16(reader);
    WindowTop = ReadRawInt16(reader);
    WindowWidth = ReadRawInt16(reader);
    WindowHeight = ReadRawInt16(reader);
    Byte title[1 + TitleLength];
    reader.Read(title, sizeof title);
    Title.assign(reinterpret_cast<const char*>(title + 1), std::min<std::size_t>(title[0], TitleLength));
    root_->SetElementName(Title);

    if (version < 3) {
        Pages = {PanelTitle() + " 1"};
        TabIndex = 0;
        std::copy(std::begin(OldFileOptions), std::end(OldFileOptions), Options);
        HelpFile.clear();
        ToolbarMode = 0;
        ShowHint = true;
        ShowHintBtn = ShowPrintBtn = ShowCopyBtn = ShowHWBtn = false;
        IconFile.clear();
        PanelDefaultColor = NewPanelColor;
    } else {
        ReadLines(reader, Pages);
        TabIndex = reader.ReadInteger();
        for (bool& option : Options)
            option = reader.ReadBoolean();
        HelpFile = reader.ReadString();
        ShowHint = reader.ReadBoolean();
        ShowHintBtn = reader.ReadBoolean();
        ShowPrintBtn = reader.ReadBoolean();
        ShowCopyBtn = reader.ReadBoolean();
        IconFile = reader.ReadString();
        ShowHWBtn = reader.ReadBoolean();
        Byte colour[4];
        reader.Read(colour, sizeof colour);
        PanelDefaultColor = static_cast<TColor>(colour[0] | colour[1] << 8 | colour[2] << 16 |
                                                static_cast<Cardinal>(colour[3]) << 24);
        if (version < 40) {
            ShowInternalBtn = false;
        } else {
            ShowInternalBtn = reader.ReadBoolean();
            PrintOffsetX = reader.ReadInteger();
            PrintOffsetY = reader.ReadInteger();
            PreviewOffsetX = reader.ReadInteger();
            PreviewOffsetY = reader.ReadInteger();
            PrintZoom = reader.ReadInteger();
            PrintScale = reader.ReadFloat();
            PrintHeadline = reader.ReadString();
            PrintMono = reader.ReadBoolean();
            PrintCentered = reader.ReadBoolean();
            PrintBackground = reader.ReadBoolean();
            PrinterIndex = reader.ReadInteger();
            PrintOrientation = reader.ReadInteger();
            ReadLines(reader, PrintComment);
            ToolbarMode = reader.ReadInteger();
        }
    }
    if (version >= 3 && version < 43) {
        WebMode = 0;
        WebRefreshSeconds = 5;
    } else if (version >= 43) {
        WebServerPath = reader.ReadString();
        WebMode = reader.ReadInteger();
        WebRefreshSeconds = reader.ReadInteger();
    }
    if (version < 44) {
        WindowState = 0;
        FullScreen = false;
    } else {
        WindowState = reader.ReadInteger();
        FullScreen = reader.ReadBoolean();
    }
    shown_ = root_.get();
    // The elements of the other pages leave the page shown.
    root_->SetAktiveFrontplatte(TabIndex);
}
