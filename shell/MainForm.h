// The main window of the program.
#pragma once

#include <QMainWindow>

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // Every component and device class, for creation by its stored name.
    void RegisterComponentClasses();
};

extern TForm1* Form1;
