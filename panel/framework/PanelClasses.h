// The element classes of the front-panel framework, registered for creation
// by name: the container (a macro's nested panel) and the five decorations.
#pragma once

void RegisterPanelClasses();
