#include "dialogs/ModalForm.h"

#include "platform/AnsiText.h"

#include <QAbstractButton>

namespace {

TFormHook* CurrentHook = nullptr;

}   // namespace

TModalForm::TModalForm(QWidget* parent) : QDialog(parent)
{
    setModal(true);
}

Integer TModalForm::ShowModal()
{
    setResult(mrNone);
    BeforeShow();
    if (!CurrentHook)
        return exec();
    show();
    CurrentHook->Run(*this);
    if (isVisible())
        reject();
    return result();
}

void TModalForm::SetModalResult(QAbstractButton* button, Integer result)
{
    connect(button, &QAbstractButton::clicked, this, [this, result] { done(result); });
}

AnsiString TModalForm::Caption() const
{
    return QStringToAnsi(windowTitle());
}

void TModalForm::SetCaption(const AnsiString& caption)
{
    setWindowTitle(AnsiToQString(caption));
}

void TModalForm::reject()
{
    done(mrCancel);
}

TFormHook::TFormHook(std::vector<TAction> actions) : actions_(std::move(actions)), previous_(CurrentHook)
{
    CurrentHook = this;
}

TFormHook::~TFormHook()
{
    CurrentHook = previous_;
}

void TFormHook::Run(TModalForm& form)
{
    shown_.push_back(form.Caption());
    if (next_ < actions_.size())
        actions_[next_++](form);
}

void SetFormFont(QWidget& widget, const char* family, Integer height)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(height < 0 ? -height : height);
    widget.setFont(font);
}
