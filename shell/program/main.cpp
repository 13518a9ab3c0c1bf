#include <QApplication>

#include "shell/Globals.h"
#include "shell/MainForm.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ProgramTitle));
    TForm1 form;
    Form1 = &form;
    form.show();
    const int rc = app.exec();
    Form1 = nullptr;
    return rc;
}
