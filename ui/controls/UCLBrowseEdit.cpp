#include "ui/controls/UCLBrowseEdit.h"

#include "platform/AnsiText.h"
#include "platform/Paths.h"
#include "ui/controls/UCLProcs.h"
#include "ui/controls/UCLSBtn.h"

#include <QFocusEvent>
#include <QPainter>

namespace {

enum class TBrowseGlyph { Open, Save, Folder };

// The buttons' pictures. The bottom-left pixel keeps the key colour: it
// marks the transparent colour of a glyph.
QImage DrawGlyph(TBrowseGlyph Kind)
{
    const QSize size = Kind == TBrowseGlyph::Folder ? QSize(13, 14) : QSize(14, 13);
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(Qt::magenta));
    QPainter p(&image);
    const QColor folderLine(0x80, 0x80, 0x00), folderFill(0xFF, 0xE0, 0x60), folderFront(0xFF, 0xFF, 0x80);
    switch (Kind) {
    case TBrowseGlyph::Open:
        p.setPen(folderLine);
        p.setBrush(folderFill);
        p.drawPolygon(QPolygon({QPoint(1, 2), QPoint(4, 2), QPoint(5, 3), QPoint(10, 3), QPoint(10, 6),
                                QPoint(1, 11)}));
        p.setBrush(folderFront);
        p.drawPolygon(QPolygon({QPoint(4, 6), QPoint(13, 6), QPoint(10, 11), QPoint(1, 11)}));
        break;
    case TBrowseGlyph::Save:
        p.setPen(QColor(0x00, 0x00, 0x40));
        p.setBrush(QColor(0x00, 0x00, 0x80));
        p.drawRect(1, 0, 11, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(3, 1, 8, 4);
        p.setBrush(QColor(0xC0, 0xC0, 0xC0));
        p.drawRect(4, 8, 6, 3);
        break;
    case TBrowseGlyph::Folder:
        p.setPen(folderLine);
        p.setBrush(folderFill);
        p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(4, 3), QPoint(5, 4), QPoint(11, 4), QPoint(11, 11),
                                QPoint(1, 11)}));
        p.drawLine(1, 5, 11, 5);
        break;
    }
    return image;
}

}   // namespace

// ---- TUCLCustomBrowseEdit ----------------------------------------------------

TUCLCustomBrowseEdit::TUCLCustomBrowseEdit(QWidget* Parent) : TUCLCustomEdit(Parent)
{
    TUCLSpecialButton* button = CustomButtons().Add();
    button->OnClick = [this](TUCLSpecialButton*, Integer) { ButtonClick(); };
    button->SetCtlXP(false);
    SetCustomButtonWidth(18);
}

TUCLSpecialButton& TUCLCustomBrowseEdit::BrowseButton()
{
    return *CustomButtons().GetItem(0);
}

void TUCLCustomBrowseEdit::ButtonClick()
{
    Browse();
    if (OnBrowse)
        OnBrowse(this);
}

void TUCLCustomBrowseEdit::SetMinimizeName(bool Value)
{
    if (FMinimizeName == Value)
        return;
    FMinimizeName = Value;
    if (!hasFocus())
        UpdateDisplay();
}

QString TUCLCustomBrowseEdit::GetName() const
{
    return !hasFocus() && FMinimizeName ? FFullText : GetText();
}

void TUCLCustomBrowseEdit::SetName(const QString& Value)
{
    SetText(Value);
    if (!hasFocus())
        UpdateDisplay();
}

void TUCLCustomBrowseEdit::TakeChoice(const AnsiString& Value)
{
    SetTextWhole(AnsiToQString(Value));
    if (!hasFocus())
        UpdateDisplay();
    if (OnDlgChange)
        OnDlgChange(this);
}

void TUCLCustomBrowseEdit::FocusForBrowse()
{
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
}

QString TUCLCustomBrowseEdit::CurrentName() const
{
    return hasFocus() ? GetText() : FFullText;
}

QString TUCLCustomBrowseEdit::ShownForm(const QString& Full) const
{
    const QString part = DisplayPart(Full);
    if (!FMinimizeName)
        return part;
    const auto width = [this](const AnsiString& S) { return TextWidth(AnsiToQString(S)); };
    return AnsiToQString(ShortenPath(QStringToAnsi(part), width, TextRect().Width()));
}

void TUCLCustomBrowseEdit::UpdateDisplay()
{
    ShowText(ShownForm(FFullText));
}

void TUCLCustomBrowseEdit::SetTextWhole(const QString& Value)
{
    const Integer limit = MaxLength();
    SetIntegerOption(0, 0);
    SetText(Value);
    SetIntegerOption(0, limit);
}

void TUCLCustomBrowseEdit::ShowText(const QString& Value)
{
    FShowing = true;
    BeginUpdate();
    SetTextWhole(Value);
    EndUpdate(true);
    FShowing = false;
}

void TUCLCustomBrowseEdit::TextAssigned()
{
    // A text set from outside becomes the full name, unless it is that name
    // or the form shown for it.
    if (!FShowing && !hasFocus()) {
        const QString text = GetText();
        if (text != FFullText && text != ShownForm(FFullText))
            FFullText = text;
    }
    TUCLCustomEdit::TextAssigned();
}

void TUCLCustomBrowseEdit::focusInEvent(QFocusEvent* Event)
{
    if (Event->reason() != Qt::PopupFocusReason) {
        if (FMinimizeName)
            ShowText(FFullText);
        FEnterText = GetText();
    }
    TUCLCustomEdit::focusInEvent(Event);
}

void TUCLCustomBrowseEdit::focusOutEvent(QFocusEvent* Event)
{
    if (Event->reason() != Qt::PopupFocusReason) {
        // Only a text that changed while focused replaces the full name: a
        // name shown shortened and left as it was keeps the full one.
        if (GetText() != FEnterText)
            FFullText = GetText();
        FScrollOffset = 0;
        SetIntegerOption(5, 1);
        UpdateDisplay();
    }
    TUCLCustomEdit::focusOutEvent(Event);
}

void TUCLCustomBrowseEdit::resizeEvent(QResizeEvent* Event)
{
    TUCLCustomEdit::resizeEvent(Event);
    if (FMinimizeName && !hasFocus())
        UpdateDisplay();
}

// ---- File edits --------------------------------------------------------------

TUCLCustomFileEdit::TUCLCustomFileEdit(QWidget* Parent, TFileDialogKind Kind)
    : TUCLCustomBrowseEdit(Parent), FKind(Kind)
{
}

void TUCLCustomFileEdit::SetFilenameOnly(bool Value)
{
    if (FFilenameOnly == Value)
        return;
    FFilenameOnly = Value;
    if (!hasFocus())
        UpdateDisplay();
}

QString TUCLCustomFileEdit::DisplayPart(const QString& Full) const
{
    return FFilenameOnly ? AnsiToQString(ExtractFileName(QStringToAnsi(Full))) : Full;
}

void TUCLCustomFileEdit::Browse()
{
    FocusForBrowse();
    TUCLFileDialog dialog;
    TFileDialog& d = dialog.Dialog;
    d.Kind = FKind;
    d.Title = Title;
    d.InitialDir = InitialDir;
    d.Filter = Filter;
    d.DefaultExt = DefaultExt;
    d.OverwritePrompt = (Options & ofOverwritePrompt) != 0;
    if (OnBeforeBrowse)
        OnBeforeBrowse(&dialog);
    const AnsiString chosen = ExecuteFileDialog(d);
    if (!chosen.empty())
        TakeChoice(chosen);
    if (OnBrowse)
        OnBrowse(&dialog);
}

TUCLFileOpenEdit::TUCLFileOpenEdit(QWidget* Parent) : TUCLCustomFileEdit(Parent, TFileDialogKind::Open)
{
    BrowseButton().SetGlyph(DrawGlyph(TBrowseGlyph::Open));
}

TUCLFileSaveEdit::TUCLFileSaveEdit(QWidget* Parent) : TUCLCustomFileEdit(Parent, TFileDialogKind::Save)
{
    BrowseButton().SetGlyph(DrawGlyph(TBrowseGlyph::Save));
}

// ---- TUCLBrowseEdit ----------------------------------------------------------

TUCLBrowseEdit::TUCLBrowseEdit(QWidget* Parent) : TUCLCustomBrowseEdit(Parent)
{
    BrowseButton().SetGlyph(DrawGlyph(TBrowseGlyph::Folder));
}

void TUCLBrowseEdit::Browse()
{
    FocusForBrowse();
    TUCLBrowseDlg dialog;
    dialog.StartFolder = StartFolder;
    dialog.Options = Options;
    const QString last = CurrentName();
    if (StartWithLast && !last.isEmpty())
        dialog.SelectedFolder = QStringToAnsi(last);
    if (OnExecute)
        OnExecute(this, &dialog);
    if (OnBeforeBrowse)
        OnBeforeBrowse(&dialog);
    if (dialog.Execute())
        TakeChoice(dialog.SelectedFolder);
    if (OnBrowse)
        OnBrowse(&dialog);
}
