#include "shell/program/WebEngineBrowser.h"

#include "platform/AnsiText.h"
#include "platform/WebBrowser.h"

#include <QCoreApplication>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

#include <unistd.h>

namespace {

class TWebEngineBrowser : public TWebBrowser {
public:
    explicit TWebEngineBrowser(QWidget* parent) : TWebBrowser(parent), view_(new QWebEngineView(this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
    }
    void Navigate(const AnsiString& url) override { view_->setUrl(QUrl::fromUserInput(AnsiToQString(url))); }
    AnsiString LocationURL() const override { return QStringToAnsi(view_->url().toString()); }

private:
    QWebEngineView* view_;
};

}   // namespace

void PrepareWebEngine()
{
    // The engine's sandbox refuses to run as root.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void InstallWebEngineBrowser()
{
    SetWebBrowserFactory([](QWidget* parent) { return new TWebEngineBrowser(parent); });
}
