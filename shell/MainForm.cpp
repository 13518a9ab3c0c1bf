#include "shell/MainForm.h"

#include "shell/Globals.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("Form1");
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    resize(1024, 700);
}
