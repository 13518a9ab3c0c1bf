#include "shell/MainForm.h"

#include "components/digital/BT_Gatter.h"
#include "platform/ClassRegistry.h"

void TForm1::RegisterComponentClasses()
{
    // One RegisterClass(TX::StaticClass()) line per component and device
    // class, in the program's fixed registration order (TBT_DDE_Server,
    // TBT_DDE_Client, TBT_DDE_Client_Poke, TBTLed, ... TETDL_WriteDO,
    // TETDL_ReadAI); each class takes its place in that order as it arrives.
    RegisterClass(TBTInverter::StaticClass());
    RegisterClass(TBTAnd::StaticClass());
    RegisterClass(TBTOr::StaticClass());
    RegisterClass(TBTNand::StaticClass());
    RegisterClass(TBTNor::StaticClass());
    RegisterClass(TBTExor::StaticClass());
}
