#include "AnalogTestSupport.h"

#include "components/analog/BT_AnalogMux.h"
#include "components/analog/BT_Arithmetik.h"
#include "components/analog/BT_Formel.h"
#include "components/analog/BT_Integer.h"
#include "components/analog/BT_Jump_Target.h"
#include "components/analog/BT_Konstanten.h"
#include "components/analog/BT_Math.h"
#include "components/analog/BT_RangeCheck.h"
#include "components/analog/BT_SimStop.h"
#include "components/analog/BT_TestPunkt.h"
#include "components/analog/BT_Wandler.h"

void RegisterAnalogClasses()
{
    for (const TClassInfo* info :
         {&TBTADC::StaticClass(), &TBTDAC::StaticClass(), &TBTStop::StaticClass(), &TBTTestpunkt::StaticClass(),
          &TBTJumpTarget::StaticClass(), &TBTRangeCheck::StaticClass(), &TBTFest::StaticClass(), &TBTVerstaerker::StaticClass(),
          &TBTGain::StaticClass(), &TBTOffset::StaticClass(), &TBTAnalogMux::StaticClass(),
          &TBTAnalogDemux::StaticClass(), &TBTFormel::StaticClass(), &TBTAdd::StaticClass(), &TBTSub::StaticClass(),
          &TBTMul::StaticClass(), &TBTDiv::StaticClass(), &TBTMath::StaticClass(), &TBTPolynom::StaticClass(),
          &TBTIntConv::StaticClass(), &TBTIntOp::StaticClass(), &TBTIntToBytes::StaticClass(),
          &TBTIntFromBytes::StaticClass(), &TBTIntCheckBit::StaticClass(), &TBTIntBit::StaticClass()})
        RegisterClass(*info);
}
