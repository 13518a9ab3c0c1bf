#include "platform/WebBrowser.h"

namespace {

TWebBrowserFactory& Factory()
{
    static TWebBrowserFactory factory;
    return factory;
}

}   // namespace

void SetWebBrowserFactory(TWebBrowserFactory factory)
{
    Factory() = std::move(factory);
}

TWebBrowser* CreateWebBrowser(QWidget* parent)
{
    return Factory() ? Factory()(parent) : nullptr;
}
