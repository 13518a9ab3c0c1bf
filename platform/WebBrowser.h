// A web browser control behind a small interface: the program installs the
// real one (a web engine view), tests install a fake that records where it
// was sent. Without an installed factory there is no browser, and windows
// that would hold one do without it.
#pragma once

#include "platform/SysTypes.h"

#include <QWidget>

#include <functional>

class TWebBrowser : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Shows the page of the address as the user typed it ("www.x.de" too).
    virtual void Navigate(const AnsiString& url) = 0;
    // The address of the page last navigated to; empty before the first.
    virtual AnsiString LocationURL() const = 0;
};

using TWebBrowserFactory = std::function<TWebBrowser*(QWidget* parent)>;

// Installs the factory (an empty one removes it).
void SetWebBrowserFactory(TWebBrowserFactory factory);
// A new browser control owned by parent, or nullptr when none is installed.
TWebBrowser* CreateWebBrowser(QWidget* parent);
