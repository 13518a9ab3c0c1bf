// The small window that reports the progress of long board operations
// (reading a project, preparing the simulation). The board reaches it through
// the progress hooks it installs.
#pragma once

#include "platform/SysTypes.h"

#include <QWidget>

class QLabel;
class QProgressBar;

class TProgressWindow : public QWidget {
    Q_OBJECT
public:
    // Installs itself as the boards' progress report until it is destroyed.
    explicit TProgressWindow(QWidget* parent = nullptr);
    ~TProgressWindow() override;

    // Position 0 and the title; shown and painted at once when show is set.
    void Start(const AnsiString& title, bool show);
    void SetTitle(const AnsiString& title);
    void SetPosition(Integer percent);
    void Close();

    QString Title() const;
    int Position() const;

private:
    QLabel* title_;
    QProgressBar* bar_;
};

extern TProgressWindow* ProgressWindow;
