#include "dialogs/DLG_Default.h"

#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Bauteil.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/HtmlHelp.h"
#include "ui/controls/UCLImageList.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

#include <cstdlib>

namespace {

constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonMargin = 8;

}   // namespace

TPinPortDialogLink& PinPortDialogLink()
{
    static TPinPortDialogLink link;
    return link;
}

TDefault_Dlg::TDefault_Dlg(QWidget* parent) : TModalForm(parent)
{
    setObjectName("Default_Dlg");
    SetFormFont(*this, "Tahoma", -12);

    Props = new TPropScrollbox(this);
    Props->OnLayoutChanged = [this](TPropScrollbox*) { LayoutChanged(); };

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    PinBtn = new QToolButton(Panel1);
    PinBtn->setObjectName("PinBtn");
    PinBtn->setAutoRaise(true);
    PinBtn->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    PinBtn->setGeometry(ButtonMargin, 11, ButtonHeight, ButtonHeight);
    PinBtn->hide();
    connect(PinBtn, &QToolButton::clicked, this, [this] { PinBtnClick(); });
    OKBtn = new QPushButton("&OK", Panel1);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    CancelBtn = new QPushButton(Panel1);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setAutoDefault(false);
    SetModalResult(CancelBtn, mrCancel);

    // The buttons in the language of the program.
    const char* cancel = ByLanguage("&Abbrechen", "&Cancel", "&Annuler");
    const char* pins = ByLanguage("Anschlüsse..."_ansi, "Pins connections...", "Raccordements...");
    CancelBtn->setText(AnsiToQString(cancel));
    PinBtn->setToolTip(AnsiToQString(pins));

    MeterBitmaps = new TUCLImageList(this);
    setFixedSize(MinimumWidth, PanelHeight);
}

TDefault_Dlg::~TDefault_Dlg()
{
    if (PinPortDialogLink().ClearHandlers)
        PinPortDialogLink().ClearHandlers();
}

void TDefault_Dlg::SetHelpContext(Integer context)
{
    helpContext_ = context;
}

void TDefault_Dlg::BeforeShow()
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, helpContext_ != 0 && !RunOnlyMode);
}

bool TDefault_Dlg::event(QEvent* event)
{
    if (ShowHelpOnHelpButton(event, helpContext_))
        return true;
    return TModalForm::event(event);
}

int TDefault_Dlg::MaxClientHeight() const
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const int screenHeight = s ? s->geometry().height() : 768;
    return screenHeight - screenHeight / 4;
}

void TDefault_Dlg::showEvent(QShowEvent* event)
{
    AnsiString caption = Caption();
    if (const auto cr = caption.find('\r'); cr != AnsiString::npos) {
        caption[cr] = ' ';
        SetCaption(caption);
    }
    FitToRows();
    for (const auto& row : Props->Rows)
        row->Prepare();
    FocusFirstEditor();
    TModalForm::showEvent(event);
}

void TDefault_Dlg::FitToRows()
{
    Props->Relayout();
    Props->AlignCaptions();
    Props->FitWidth();
    int clientWidth = width();
    if (!Props->Rows.empty())
        clientWidth = std::max(Props->Rows.front()->Editor->width(), MinimumWidth);
    const int clientHeight = std::min(Props->NextTop + PanelHeight, MaxClientHeight());
    if (clientHeight - PanelHeight < Props->VertRange())
        clientWidth += ScrollBarAllowance;
    setFixedSize(clientWidth, clientHeight);
}

void TDefault_Dlg::FocusFirstEditor()
{
    for (QObject* child : Props->Content()->children()) {
        auto* editor = qobject_cast<TPropEditor*>(child);
        if (!editor || editor->isHidden())
            continue;
        for (QObject* control : editor->PropPanel->children()) {
            auto* w = qobject_cast<QWidget*>(control);
            if (w && !w->isWindow() && w->isVisibleTo(editor->PropPanel) && w->isEnabled()
                && (w->focusPolicy() & Qt::TabFocus)) {
                w->setFocus();
                return;
            }
        }
    }
}

void TDefault_Dlg::resizeEvent(QResizeEvent* event)
{
    TModalForm::resizeEvent(event);
    const int w = width(), h = height();
    Props->setGeometry(0, 0, w, std::max(h - PanelHeight, 0));
    Panel1->setGeometry(0, h - PanelHeight, w, PanelHeight);
    CancelBtn->setGeometry(w - ButtonMargin - ButtonWidth, 11, ButtonWidth, ButtonHeight);
    OKBtn->setGeometry(CancelBtn->x() - 6 - ButtonWidth, 11, ButtonWidth, ButtonHeight);
}

void TDefault_Dlg::LayoutChanged()
{
    // Twice: the first pass may add or drop the scroll bar, which the second
    // pass then fits to.
    FitToRows();
    FitToRows();
}

void TDefault_Dlg::OKBtnClick()
{
    Props->WriteBackAll();
    done(mrOk);
}

void TDefault_Dlg::PinBtnClick()
{
    if (PinPortDialogLink().Show)
        PinPortDialogLink().Show(Caption());
}

void TDefault_Dlg::done(int result)
{
    TModalForm::done(result);
    FormClose();
}

void TDefault_Dlg::FormClose()
{
    Props->Clear();
    PinBtn->hide();
}

TDefault_Dlg& Default_Dlg()
{
    // Kept to the end like the other forms of the program: a widget freed
    // after the application object would crash.
    static TDefault_Dlg* dialog = new TDefault_Dlg;
    return *dialog;
}

TSettingsSheet::TSettingsSheet(TIOBauteil& component) : TSettingsSheet(component, component.Caption) {}

TSettingsSheet::TSettingsSheet(TIOBauteil& component, const AnsiString& title)
    : component_(component), dlg_(Default_Dlg()), name_(component.Caption)
{
    dlg_.SetCaption(title);
    dlg_.SetHelpContext(component.HelpContext);
}

Integer TSettingsSheet::Show()
{
    dlg_.Props->AddOptionsSection(name_, component_.RuntimeAdjustable);
    const Integer result = dlg_.ShowModal();
    if (result == 1)
        component_.SetCaption(name_);
    return result;
}

Integer EditInputCount(TDefault_Dlg& dlg, TIOBauteil& component, Integer first, Integer last)
{
    std::vector<AnsiString> counts;
    for (Integer n = first; n <= last; ++n)
        counts.push_back(std::to_string(n));
    Integer entry = component.InputCount - first;
    dlg.Props->AddCombo(Translate("Eingänge"_ansi), entry, counts, 64);
    const Integer result = dlg.ShowModal();
    if (entry >= 0)
        component.SetInputCount(entry + first);
    return result;
}

Integer EditTextLabel(AnsiString& text, TFont& font)
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(Translate("Text"));
    dlg.SetHelpContext(0);
    // The sheet shows sizes; the label's height in board units is shown as one.
    font.Height = FontHeightForSize(std::abs(font.Height));
    AnsiString edited = text;
    dlg.Props->AddEdit(Translate("Text"), edited, 50, 190);
    dlg.Props->AddCaption(Translate("Schriftart"));
    dlg.Props->AddFontName(Translate("Name"), font);
    dlg.Props->AddFontStyle(Translate("Stil"), font);
    dlg.Props->AddColor(Translate("Farbe"), font.Color);
    const Integer result = dlg.ShowModal();
    font.Height = FontSizeOf(font);
    text = edited.substr(0, 50);
    return result;
}

Integer EditTextRow(const AnsiString& title, Integer helpContext, const AnsiString& caption, AnsiString& text,
                    Integer maxLength, Integer width)
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(title);
    dlg.SetHelpContext(helpContext);
    dlg.Props->AddEdit(caption, text, maxLength, width);
    return dlg.ShowModal();
}
