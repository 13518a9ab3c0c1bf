// The indicator and control elements, registered for creation by the class
// name a component stores.
#pragma once

void RegisterElementClasses();
