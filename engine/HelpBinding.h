// Access to the HTML help viewer, bound once and called safely: without the
// viewer every help request does nothing.
#pragma once

#include "platform/HtmlHelp.h"

// The viewer is bound.
bool HtmlHelpAvailable();
// Forwards the four arguments to the viewer and returns its result; 0 and
// nothing shown when it is not bound.
Integer CallHtmlHelp(void* caller, const AnsiString& fileName, Cardinal command, std::uintptr_t data);
// Binds the viewer again (program start; tests after changing its presence).
void BindHtmlHelp();
