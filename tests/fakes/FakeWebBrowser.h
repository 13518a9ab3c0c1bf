// The browser control of the tests: records every address it is sent to in a
// log that outlives the control (its window frees it).
#pragma once

#include "platform/WebBrowser.h"

#include <vector>

class TFakeWebBrowser : public TWebBrowser {
public:
    TFakeWebBrowser(QWidget* parent, std::vector<AnsiString>& log) : TWebBrowser(parent), log_(log) {}
    void Navigate(const AnsiString& url) override
    {
        log_.push_back(url);
        location_ = url;
    }
    AnsiString LocationURL() const override { return location_; }

private:
    std::vector<AnsiString>& log_;
    AnsiString location_;
};

// Installs the fake browser for its lifetime; Visited holds the addresses
// every browser made meanwhile was sent to, Made how many were made.
class TFakeBrowserScope {
public:
    TFakeBrowserScope()
    {
        SetWebBrowserFactory([this](QWidget* parent) {
            ++Made;
            return new TFakeWebBrowser(parent, Visited);
        });
    }
    ~TFakeBrowserScope() { SetWebBrowserFactory({}); }
    TFakeBrowserScope(const TFakeBrowserScope&) = delete;
    TFakeBrowserScope& operator=(const TFakeBrowserScope&) = delete;
    std::vector<AnsiString> Visited;
    int Made = 0;
};
