#include "shell/HardwareSettings.h"

#include "engine/DeviceInterfaces.h"
#include "engine/Makro.h"
#include "engine/Platine.h"

#include <string>

namespace {

template <class Visit>
void WalkHardware(TPlatine& board, Integer& counter, const Visit& visit)
{
    for (TBauteil* object : board.Objects) {
        auto* hardware = dynamic_cast<IHardwareComponent*>(object);
        auto* component = dynamic_cast<TIOBauteil*>(object);
        if (hardware && component && hardware->Driver())
            visit(*hardware->Driver(),
                  std::to_string(counter) + "." + component->Designator + std::to_string(component->Number));
    }
    for (TBauteil* object : board.Objects) {
        if (auto* macro = dynamic_cast<TMakro*>(object)) {
            ++counter;
            if (TPlatine* inner = macro->InnerBoard())
                WalkHardware(*inner, counter, visit);
        }
    }
}

} // namespace

void WriteHardwareSettings(TPlatine& board, TCustomIniFile& store, Integer& counter)
{
    WalkHardware(board, counter,
                 [&store](IDevice& device, const AnsiString& section) { device.writeConnection(store, section); });
}

void ReadHardwareSettings(TPlatine& board, TCustomIniFile& store, Integer& counter)
{
    WalkHardware(board, counter,
                 [&store](IDevice& device, const AnsiString& section) { device.readConnection(store, section); });
}
