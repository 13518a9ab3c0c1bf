#include "panel/framework/PanelClasses.h"

#include "panel/framework/Design.h"
#include "panel/framework/FP_Decorations.h"

void RegisterPanelClasses()
{
    for (const TClassInfo* info : {&TDesign::StaticClass(), &TSkale::StaticClass(), &TBeschriftung::StaticClass(),
                                   &TRahmen::StaticClass(), &TLogo::StaticClass(), &TFlaeche::StaticClass()})
        RegisterClass(*info);
}
