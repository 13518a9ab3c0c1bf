#include "hardware/framework/IO_Port.h"

#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FlagScope.h"
#include "platform/Messages.h"
#include "platform/Stream.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <thread>
#include <utility>

namespace {

// More channels than any port has; a record asking for more is damaged.
constexpr Integer MaxStoredChannels = 4096;

// NaN sorts last, so a history holding one still has a strict order.
bool ValueBefore(Extended a, Extended b)
{
    return a < b || (!std::isnan(a) && std::isnan(b));
}

// The text before the first "^" and the decimal number after it (0 without).
std::pair<AnsiString, Integer> SplitVersion(const AnsiString& text)
{
    const std::size_t mark = text.find('^');
    if (mark == AnsiString::npos)
        return {text, 0};
    return {text.substr(0, mark), static_cast<Integer>(std::strtol(text.c_str() + mark + 1, nullptr, 10))};
}

// The first "^" becomes a blank in the text itself, so the stored version
// mark stays the only one.
AnsiString WithVersion(AnsiString& text, Integer version)
{
    if (const std::size_t mark = text.find('^'); mark != AnsiString::npos)
        text[mark] = ' ';
    return text + "^" + std::to_string(version);
}

// Devices whose name the user chooses keep the stored one.
bool KeepsStoredName(std::string_view className)
{
    static constexpr std::string_view named[] = {"TDMMInterface", "THygrotecInterface", "THID_DMM",
                                                 "TSartoriusInterface", "TMIDIInterface", "TMIDIReceiveInterface",
                                                 "TMIDIThruInterface", "TTrumeter", "TPCEInterface"};
    return std::find(std::begin(named), std::end(named), className) != std::end(named);
}

} // namespace

// ---- TPin

void TPin::StoreDirect(Extended value, Int64 now)
{
    TimeStamp = now;
    Value = value;
}

void TPin::SetValue(Extended value)
{
    TimeStamp = QueryPerformanceCounter();
    if (value < Value || value > Value)
        Changed = true;
    Value = value;
    const auto depth = static_cast<std::size_t>(std::max<Integer>(HistoryDepth, 0));
    if (History.size() < depth)
        History.resize(depth, value);
    else if (History.size() > depth)
        History.erase(History.begin(), History.begin() + static_cast<std::ptrdiff_t>(History.size() - depth));
    if (!History.empty()) {
        std::rotate(History.begin(), History.end() - 1, History.end());
        History.front() = value;
    }
}

Extended TPin::GetValue() const
{
    if (History.size() <= 2)
        return Value;
    sorted_.assign(History.begin(), History.end());
    const auto middle = sorted_.begin() + static_cast<std::ptrdiff_t>(sorted_.size() / 2);
    std::nth_element(sorted_.begin(), middle, sorted_.end(), ValueBefore);
    return *middle;
}

Integer TPin::GetInteger() const
{
    const Extended value = std::nearbyint(GetValue());
    if (std::isnan(value))
        return 0;
    return static_cast<Integer>(std::clamp<Extended>(value, std::numeric_limits<Integer>::min(),
                                                      std::numeric_limits<Integer>::max()));
}

Extended TPin::RawStep() const
{
    return (Max - Min) / (static_cast<Extended>(RawMax) - static_cast<Extended>(RawMin));
}

Integer TPin::GetRawValue() const
{
    // (value - Min) / RawStep with the step's division last, so that a value
    // halfway between two counts stays exactly halfway (2.5 V of 0..5 V on
    // 0..255 is 127.5 and rounds to 128).
    const Extended raw = (GetValue() - Min) * (static_cast<Extended>(RawMax) - RawMin) / (Max - Min) + RawMin;
    if (std::isnan(raw))
        return RawMin;
    return static_cast<Integer>(std::nearbyint(std::clamp<Extended>(raw, RawMin, RawMax)));
}

void TPin::SetRawValue(Integer raw)
{
    const Extended value = Min + RawStep() * (static_cast<Extended>(raw) - RawMin);
    if (value < Value || value > Value)
        Changed = true;
    StoreDirect(value, QueryPerformanceCounter());
}

bool TPin::TakeChanged()
{
    const bool changed = Changed;
    Changed = false;
    return changed;
}

void TPin::Assign(const TPin& other)
{
    Description = other.Description;
    ShortName = other.ShortName;
    Min = other.Min;
    Max = other.Max;
    Configurable = other.Configurable;
    RawMin = other.RawMin;
    RawMax = other.RawMax;
    Factor = other.Factor;
    Offset = other.Offset;
    Direction = other.Direction;
    DriverByte1 = other.DriverByte1;
    DriverByte2 = other.DriverByte2;
    ChannelMode = other.ChannelMode;
    DriverInts = other.DriverInts;
    PinIndex = other.PinIndex;
    PortIndex = other.PortIndex;
}

void TPin::WriteRecord(TWriter& writer)
{
    writer.WriteString(WithVersion(Description, Version));
    writer.WriteString(ShortName);
    writer.WriteInteger(PortIndex);
    writer.WriteInteger(PinIndex);
    writer.WriteFloat(Min);
    writer.WriteFloat(Max);
    writer.WriteBoolean(Configurable);
    writer.WriteFloat(GetValue());
    writer.WriteInteger(RawMin);
    writer.WriteInteger(RawMax);
    writer.WriteFloat(Factor);
    writer.WriteFloat(Offset);
    writer.WriteInteger(Direction);
    writer.WriteInteger(DriverByte1);
    writer.WriteInteger(DriverByte2);
    writer.WriteInteger(ChannelMode);
    for (const Integer value : DriverInts)
        writer.WriteInteger(value);
}

void TPin::ReadRecord(TReader& reader, bool takeNames)
{
    auto [description, version] = SplitVersion(reader.ReadString());
    AnsiString shortName = reader.ReadString();
    if (takeNames) {
        Description = std::move(description);
        ShortName = std::move(shortName);
    }
    reader.ReadInteger();   // port and pin index follow from the place of the record
    reader.ReadInteger();
    Min = reader.ReadFloat();
    Max = reader.ReadFloat();
    Configurable = reader.ReadBoolean();
    SetValue(reader.ReadFloat());
    RawMin = static_cast<Word>(reader.ReadInteger());
    RawMax = static_cast<Word>(reader.ReadInteger());
    if (version < 1) {
        Factor = 1;
        Offset = 0;
        Direction = DriverByte1 = DriverByte2 = ChannelMode = 0;
        DriverInts.fill(0);
        return;
    }
    Factor = reader.ReadFloat();
    Offset = reader.ReadFloat();
    Direction = static_cast<Byte>(reader.ReadInteger());
    DriverByte1 = static_cast<Byte>(reader.ReadInteger());
    DriverByte2 = static_cast<Byte>(reader.ReadInteger());
    ChannelMode = static_cast<Byte>(reader.ReadInteger());
    for (Integer& value : DriverInts)
        value = reader.ReadInteger();
}

// ---- TIOPort

TIOPort::TIOPort() = default;

TIOPort::~TIOPort()
{
    clearPins();
}

TPin* TIOPort::PinAt(Integer i) const
{
    return i >= 0 && static_cast<std::size_t>(i) < Pins.size() ? Pins[static_cast<std::size_t>(i)].get() : nullptr;
}

Integer TIOPort::getPinCount() const
{
    return static_cast<Integer>(Pins.size());
}

void TIOPort::setPinValue(Integer i, Extended value)
{
    if (TPin* pin = PinAt(i))
        pin->SetValue(value);
}

void TIOPort::setStringValue(Integer i, const AnsiString& text)
{
    if (TPin* pin = PinAt(i))
        pin->Text = text;
}

Extended TIOPort::getPinValue(Integer i)
{
    const TPin* pin = PinAt(i);
    return pin ? pin->GetValue() : 0.0L;
}

Extended TIOPort::getOutputValue(Integer i)
{
    return getPinValue(i);
}

AnsiString TIOPort::getStringInput(Integer i)
{
    const TPin* pin = PinAt(i);
    return pin ? pin->Text : AnsiString();
}

Int64 TIOPort::getTimeStamp(Integer i)
{
    const TPin* pin = PinAt(i);
    return pin ? pin->TimeStamp : 0;
}

void TIOPort::resetValues()
{
    for (Integer i = 0; i < getPinCount(); ++i)
        setPinValue(i, 0.0L);
}

void TIOPort::applyKonfigData()
{
    getResources();
}

void TIOPort::writeToStream(TStream&, TWriter& writer)
{
    writer.WriteString(WithVersion(PortName, Version));
    writer.WriteInteger(Address);
    writer.WriteBoolean(IsInputPort);
    writer.WriteInteger(static_cast<Integer>(Pins.size()));
    for (const auto& pin : Pins)
        pin->WriteRecord(writer);
}

void TIOPort::readFromStream(TStream&, TReader& reader)
{
    auto [name, version] = SplitVersion(reader.ReadString());
    LoadedVersion = version;
    if (KeepsStoredName(ClassName()))
        PortName = std::move(name);
    Address = reader.ReadInteger();
    SetInputPort(reader.ReadBoolean());
    const Integer count = reader.ReadInteger();
    if (count < 0 || count > MaxStoredChannels)
        throw EReadError(SInvalidPropertyValue);
    // A library file with the same channels keeps the names of the current
    // language; everything else takes the stored ones.
    const bool takeNames = count != getPinCount() || !LibraryLoading;
    if (takeNames) {
        clearPins();
        for (Integer i = 0; i < count; ++i)
            Pins.push_back(std::make_unique<TPin>());
    }
    for (Integer i = 0; i < count; ++i) {
        TPin& pin = *Pins[static_cast<std::size_t>(i)];
        pin.ReadRecord(reader, takeNames);
        pin.PinIndex = i;
    }
    if (LoadedVersion < 1)
        SetInputPort(IsInputPort);
}

void TIOPort::clearPins()
{
    Pins.clear();
}

void TIOPort::SimStart()
{
    CountUsedPins();
    Running = true;
    IntervalElapsed(0);
}

void TIOPort::SimStop()
{
    Running = false;
}

void TIOPort::getResources()
{
    Resources.assign(1, Address > 254 ? PortName + ": " + AddressHex(Address) : PortName + ": keine");
}

void TIOPort::setInputUsed(Integer i, bool used)
{
    if (TPin* pin = PinAt(i))
        pin->Used = used;
}

void TIOPort::setOutputUsed(Integer i, bool used)
{
    if (TPin* pin = PinAt(i))
        pin->Used = used;
}

TPin& TIOPort::AddPin(const AnsiString& description, const AnsiString& shortName, Extended min, Extended max,
                      bool configurable)
{
    auto pin = std::make_unique<TPin>();
    pin->Description = description;
    pin->ShortName = shortName;
    pin->Min = min;
    pin->Max = max;
    pin->Configurable = configurable;
    pin->SetValue(0.0L);
    Pins.push_back(std::move(pin));
    return *Pins.back();
}

void TIOPort::SetInputPort(bool isInput)
{
    IsInputPort = isInput;
    for (const auto& pin : Pins)
        pin->Direction = isInput ? PinHardwareInput : PinHardwareOutput;
}

Integer TIOPort::CountUsedPins()
{
    if (Running)
        return UsedCount;
    UsedCount = 0;
    for (const auto& pin : Pins) {
        if (pin->Used)
            ++UsedCount;
        else if (pin->Direction != PinHardwareOutput)
            pin->SetValue(0.0L);
    }
    return UsedCount;
}

void TIOPort::WaitMs(double ms)
{
    TFlagScope waiting(Waiting, true);
    const Int64 frequency = QueryPerformanceFrequency();
    const Int64 start = QueryPerformanceCounter();
    const double span = std::fabs(ms);
    for (Int64 now = start; static_cast<double>(now - start) / static_cast<double>(frequency) * 1000.0 < span && Running;
         now = QueryPerformanceCounter()) {
        if (ms <= 0)
            continue;
        if (OnIdle)
            OnIdle();
        if (!NoMessagePump)
            ProcessMessages();
        if (!SimSpeedFast)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool TIOPort::IntervalElapsed(Cardinal ms)
{
    const Int64 now = QueryPerformanceCounter();
    if (IntervalMark > now)
        IntervalMark = now;
    const long double elapsedMs = static_cast<long double>(now - IntervalMark) * 1000.0L /
                                  static_cast<long double>(QueryPerformanceFrequency());
    if (elapsedMs <= ms)
        return false;
    IntervalMark = now;
    return true;
}

void TIOPort::SetPinsFromMask16(Word mask)
{
    SetPinsFromMask32(mask);
}

void TIOPort::SetPinsFromMask32(Cardinal mask)
{
    const Int64 now = QueryPerformanceCounter();
    for (std::size_t i = 0; i < Pins.size(); ++i)
        Pins[i]->StoreDirect((mask >> (i % 32)) & 1u ? 5.0L : 0.0L, now);
}

Word TIOPort::GetPinsAsMask16() const
{
    return static_cast<Word>(GetPinsAsMask32() & 0xFFFFu);
}

Cardinal TIOPort::GetPinsAsMask32() const
{
    Cardinal mask = 0;
    for (std::size_t i = 0; i < Pins.size() && i < 32; ++i)
        if (Pins[i]->GetValue() > 2.5L)
            mask |= 1u << i;
    return mask;
}

Word TIOPort::GetPortChangedMask16()
{
    Word mask = 0;
    for (std::size_t i = 0; i < Pins.size() && i < 16; ++i)
        if (Pins[i]->TakeChanged())
            mask |= static_cast<Word>(1u << i);
    return mask;
}

// ---- Standard ports

namespace {

void AddBits(TIOPort& port, const char* prefix)
{
    for (int n = 0; n < 8; ++n)
        port.AddPin("Bit " + std::to_string(n), prefix + std::to_string(n), 0.0L, 5.0L, false);
}

} // namespace

TDOutPort::TDOutPort()
{
    PortName = ByLanguage("Digitalausgänge"_ansi, "Digital outputs", "Sorties digitales");
    AddBits(*this, "DO");
    SetInputPort(false);
}

TDInPort::TDInPort()
{
    PortName = ByLanguage("Digitaleingänge"_ansi, "Digital inputs", "Entrées digitales"_ansi);
    AddBits(*this, "DI");
    SetInputPort(true);
}

TAOutPort::TAOutPort()
{
    PortName = ByLanguage("Analogausgänge"_ansi, "Analogue outputs", "Sorties analogiques");
    SetInputPort(false);
}

TAInPort::TAInPort()
{
    PortName = ByLanguage("Analogeingänge"_ansi, "Analogue inputs", "Entrées analogiques"_ansi);
    SetInputPort(true);
}

// ---- Helpers

AnsiString AddressHex(Integer address)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(address));
    return text;
}


Extended ClampValue(Extended x, Extended min, Extended max)
{
    if (x > max)
        return max;
    if (x < min)
        return min;
    return x;
}

Extended RoundToSignificant(Integer digits, Extended x)
{
    // An infinite or NaN value has no digits to keep: scaling it would never end.
    if (digits < 1 || digits > 11 || x == 0 || !std::isfinite(x))
        return x;
    int exponent = 0;
    while (std::fabs(x) >= 10) {
        x /= 10;
        ++exponent;
    }
    while (std::fabs(x) < 1) {
        x *= 10;
        --exponent;
    }
    const Extended scale = std::pow(10.0L, digits - 1);
    x = std::nearbyint(x * scale) / scale;
    return x * std::pow(10.0L, exponent);
}

Word Crc16ModbusStep(Byte value, Word crc)
{
    crc ^= value;
    for (int bit = 0; bit < 8; ++bit)
        crc = (crc & 1u) ? static_cast<Word>((crc >> 1) ^ 0xA001u) : static_cast<Word>(crc >> 1);
    return crc;
}

void ShowDriverMissing(const AnsiString& deviceName)
{
    MessageBox(ByLanguage<const char*>(
                   "Für dieses Gerät ist der Treiber des Herstellers erforderlich.\rInstallieren Sie die Software des "
                   "Geräteherstellers"_ansi,
                   "This device needs a device driver.\rInstall the software delivered from the device manufacturer.",
                   "Installez le logiciel depuis le CD livré avec le module."_ansi),
               deviceName, MB_OK | MB_ICONWARNING);
}
