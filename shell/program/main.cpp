#include <QApplication>

#include "platform/TerminationRequest.h"
#include "shell/MainForm.h"
#include "shell/ProgramTitle.h"
#include "shell/ProgressWindow.h"
#include "shell/program/WebEngineBrowser.h"

int main(int argc, char** argv)
{
    PrepareWebEngine();
    QApplication app(argc, argv);
    InstallWebEngineBrowser();
    QApplication::setApplicationName(QString::fromLatin1(ProgramTitle));
    TForm1 form;
    Form1 = &form;
    TProgressWindow progress;
    // Ended from outside (logout, service stop), the program closes as its
    // window's close does: a run stops and writes its states first.
    InstallTerminationHandler([&form] {
        if (form.Closed())
            QApplication::quit();
        else
            form.close();
    });
    form.show();
    // A run-only copy without its project ends before its window appears.
    if (form.Closed())
        return 0;
    return app.exec();
}
