#include "shell/ProgressWindow.h"

#include "engine/Platine.h"
#include "platform/AnsiText.h"
#include "shell/ProgramTitle.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

TProgressWindow* ProgressWindow = nullptr;

TProgressWindow::TProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), title_(new QLabel(this)), bar_(new QProgressBar(this))
{
    setObjectName("ProgressWindow");
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    bar_->setRange(0, 100);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(bar_);
    setFixedWidth(320);

    ProgressWindow = this;
}

TProgressWindow::~TProgressWindow()
{
    if (ProgressWindow == this)
        ProgressWindow = nullptr;
}

void TProgressWindow::Start(const AnsiString& title, bool show)
{
    bar_->setValue(0);
    SetTitle(title);
    if (show) {
        QWidget::show();
        repaint();
    }
}

void TProgressWindow::SetTitle(const AnsiString& title)
{
    title_->setText(AnsiToQString(title));
}

void TProgressWindow::SetPosition(Integer percent)
{
    bar_->setValue(std::clamp(percent, 0, 100));
}

void TProgressWindow::Close()
{
    hide();
}

QString TProgressWindow::Title() const
{
    return title_->text();
}

int TProgressWindow::Position() const
{
    return bar_->value();
}
