#include "AnalogTestSupport.h"

#include "components/analog/BT_AnalogMux.h"
#include "components/analog/BT_Arithmetik.h"
#include "components/analog/BT_Formel.h"
#include "components/analog/BT_Generatoren.h"
#include "components/analog/BT_Inkretment.h"
#include "components/analog/BT_Integer.h"
#include "components/analog/BT_Integrierer.h"
#include "components/analog/BT_Jump_Target.h"
#include "components/analog/BT_Korrekturtabelle.h"
#include "components/analog/BT_Konstanten.h"
#include "components/analog/BT_Math.h"
#include "components/analog/BT_Mittelwert.h"
#include "components/analog/BT_PTGlieder.h"
#include "components/analog/BT_RangeCheck.h"
#include "components/analog/BT_Regler.h"
#include "components/analog/BT_Relais.h"
#include "components/analog/BT_SimStop.h"
#include "components/analog/BT_Spiel.h"
#include "components/analog/BT_SysTime.h"
#include "components/analog/BT_TestPunkt.h"
#include "components/analog/BT_Wandler.h"

void RegisterAnalogClasses()
{
    for (const TClassInfo* info :
         {&TBTADC::StaticClass(), &TBTDAC::StaticClass(), &TBTStop::StaticClass(), &TBTTestpunkt::StaticClass(),
          &TBTJumpTarget::StaticClass(), &TBTRangeCheck::StaticClass(), &TBTFest::StaticClass(),
          &TBTVerstaerker::StaticClass(), &TBTGain::StaticClass(), &TBTOffset::StaticClass(), &TBTAnalogMux::StaticClass(),
          &TBTAnalogDemux::StaticClass(), &TBTFormel::StaticClass(), &TBTAdd::StaticClass(), &TBTSub::StaticClass(),
          &TBTMul::StaticClass(), &TBTDiv::StaticClass(), &TBTMath::StaticClass(), &TBTPolynom::StaticClass(),
          &TBTIntConv::StaticClass(), &TBTIntOp::StaticClass(), &TBTIntToBytes::StaticClass(),
          &TBTIntFromBytes::StaticClass(), &TBTIntCheckBit::StaticClass(), &TBTIntBit::StaticClass(),
          &TBTRelais::StaticClass(), &TBTRelais_2::StaticClass(), &TBTSample::StaticClass(),
          &TBTAnalogVgl::StaticClass(), &TBTLimiter::StaticClass(), &TBTIntegrierer::StaticClass(),
          &TBTDifferenzierer::StaticClass(), &TBTPT1::StaticClass(), &TBTPT2::StaticClass(), &TBTDT1::StaticClass(),
          &TBT_P_Regler::StaticClass(), &TBT_PI_Regler::StaticClass(), &TBT_PID_Regler::StaticClass(),
          &TBT_PD_Regler::StaticClass(), &TBT_2_Punkt_Regler::StaticClass(), &TBT_Spiel::StaticClass(),
          &TBT_Totzone::StaticClass(), &TBT_Inkretment::StaticClass(), &TBT_AnalogDelay::StaticClass(),
          &TBTFktGenerator::StaticClass(), &TBTPulse::StaticClass(), &TBTRampenGenerator::StaticClass(),
          &TBTRandom::StaticClass(), &TBTMittelwert::StaticClass(), &TBTKorrekturtabelle::StaticClass(),
          &TBTSysTime::StaticClass(), &TBTSysDate::StaticClass(), &TBTFreqCount::StaticClass()})
        RegisterClass(*info);
}
