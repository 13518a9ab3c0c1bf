#include "engine/HelpBinding.h"

namespace {

THtmlHelpProc& HtmlHelpProc()
{
    static THtmlHelpProc proc = LoadHtmlHelpProc();
    return proc;
}

} // namespace

void BindHtmlHelp()
{
    HtmlHelpProc() = LoadHtmlHelpProc();
}

bool HtmlHelpAvailable()
{
    return HtmlHelpProc() != nullptr;
}

Integer CallHtmlHelp(void* caller, const AnsiString& fileName, Cardinal command, std::uintptr_t data)
{
    THtmlHelpProc proc = HtmlHelpProc();
    return proc ? proc(caller, fileName, command, data) : 0;
}
