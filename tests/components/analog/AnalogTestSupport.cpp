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
    for (const auto rows : {&WandlerRows, &SimStopRows, &TestpunktRows, &JumpTargetRows, &RangeCheckRows,
                            &KonstantenRows, &ArithmetikRows, &AnalogMuxRows, &FormelRows, &MathRows, &IntegerRows,
                            &RelaisRows, &SpielRows, &IntegriererRows, &PTGliederRows, &ReglerRows, &InkretmentRows,
                            &GeneratorRows, &MittelwertRows, &KorrekturtabelleRows, &SysTimeRows})
        RegisterRows(rows());
}
