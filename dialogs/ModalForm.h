// The base of the program's own dialogs: shown modally with the class
// library's modal results (1 OK, 2 Cancel; Esc and the close box give
// Cancel), and a test hook that runs each showing without a person or a
// nested event loop.
#pragma once

#include "platform/SysTypes.h"

#include <QDialog>

#include <functional>
#include <vector>

class QAbstractButton;

inline constexpr Integer mrNone = 0;
inline constexpr Integer mrOk = 1;
inline constexpr Integer mrCancel = 2;

// Names a child of a form and sets its place, as the forms are laid out.
template <class W>
W* Place(W* widget, const char* name, int x, int y, int w, int h)
{
    widget->setObjectName(name);
    widget->setGeometry(x, y, w, h);
    return widget;
}

class TModalForm : public QDialog {
    Q_OBJECT
public:
    explicit TModalForm(QWidget* parent = nullptr);

    // Shows the form and returns its modal result once it closed.
    Integer ShowModal();
    // A click on the button closes the form with that result.
    void SetModalResult(QAbstractButton* button, Integer result);

    AnsiString Caption() const;
    void SetCaption(const AnsiString& caption);

    void reject() override;   // Esc and the close box: mrCancel

protected:
    // Runs before each showing, while the form is still hidden (window flags
    // can change then without hiding it again).
    virtual void BeforeShow() {}
};

// While it lives, each TModalForm::ShowModal shows its form without a nested
// event loop and hands it to the next action (or to the one handler); the
// action changes controls and clicks a button the way a person would. A form
// that is still open when its action returns is cancelled, as is every form
// once the actions are used up. Hooks nest; the previous one is back when
// this one ends.
class TFormHook {
public:
    using TAction = std::function<void(TModalForm& form)>;

    explicit TFormHook(std::vector<TAction> actions);
    ~TFormHook();
    TFormHook(const TFormHook&) = delete;
    TFormHook& operator=(const TFormHook&) = delete;

    // Captions of the forms shown, in the order they were shown.
    const std::vector<AnsiString>& Shown() const { return shown_; }
    void Run(TModalForm& form);

private:
    std::vector<TAction> actions_;
    std::size_t next_ = 0;
    std::vector<AnsiString> shown_;
    TFormHook* previous_;
};

// The form font of the class library: a negative height is the character
// height in pixels.
void SetFormFont(QWidget& widget, const char* family, Integer height);
