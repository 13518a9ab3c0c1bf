#include "panel/elements/ElementClasses.h"

#include "panel/elements/FP_LED.h"
#include "panel/elements/FP_Lampe.h"

void RegisterElementClasses()
{
    for (const TClassInfo* info : {&TPLED::StaticClass(), &TDuoLED::StaticClass(), &TRGBLED::StaticClass(),
                                   &TPLampe::StaticClass()})
        RegisterClass(*info);
}
