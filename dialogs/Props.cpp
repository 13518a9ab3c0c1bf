#include "dialogs/Props.h"

#include "dialogs/PropEditors.h"
#include "engine/Formats.h"
#include "engine/Globals.h"
#include "engine/Hotkey.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Paths.h"
#include "ui/controls/BitmapButton.h"
#include "ui/controls/UCLBrowseEdit.h"
#include "ui/controls/UCLFontPickers.h"
#include "ui/controls/UCLImageListBox.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

// Runs an action when the left mouse button is released over the widget.
class TClickFilter : public QObject {
public:
    TClickFilter(QWidget* target, std::function<void()> action) : QObject(target), action_(std::move(action))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            auto* w = static_cast<QWidget*>(watched);
            if (mouse->button() == Qt::LeftButton && w->rect().contains(mouse->position().toPoint())) {
                action_();
                return true;
            }
        }
        return false;
    }

private:
    std::function<void()> action_;
};

// The height a control takes at its natural size.
int NaturalHeight(const QWidget* w)
{
    const QSize hint = w->sizeHint();
    return hint.isValid() ? hint.height() : w->height();
}

// A value control at (x, y), width wide, at its natural height.
template <class W>
W* PlaceControl(W* control, int x, int y, int width)
{
    control->setGeometry(x, y, width, NaturalHeight(control));
    return control;
}

QString Q(const AnsiString& text)
{
    return AnsiToQString(text);
}

void FillItems(QComboBox* combo, const std::vector<AnsiString>& items)
{
    for (const AnsiString& item : items)
        combo->addItem(Q(item));
}

}   // namespace

// ---- TPropEditor --------------------------------------------------------------

TPropEditor::TPropEditor(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    setMinimumWidth(MinRowWidth);
    NamePanel = new QWidget(this);
    NamePanel->setObjectName("NamePanel");
    NamePanel->setAutoFillBackground(true);
    QPalette palette = NamePanel->palette();
    palette.setColor(QPalette::Window, ColorToQColor(clInfoBk));
    NamePanel->setPalette(palette);
    NameLabel = new QLabel(NamePanel);
    NameLabel->setObjectName("NameLabel");
    NameLabel->move(2, 4);
    PropPanel = new QWidget(this);
    PropPanel->setObjectName("PropPanel");
    ChangeBtn = new QPushButton("...", PropPanel);
    ChangeBtn->setObjectName("ChangeBtn");
    ChangeBtn->setAutoDefault(false);
    ChangeBtn->hide();
}

void TPropEditor::SetNameWidth(int width)
{
    nameWidth_ = width;
    Arrange();
}

void TPropEditor::MoveChangeBtnToNameColumn()
{
    ChangeBtn->setParent(NamePanel);
    changeBtnInNameColumn_ = true;
    Arrange();
}

QString TPropEditor::CaptionText() const
{
    return NameLabel->text();
}

int TPropEditor::ValueExtent() const
{
    int extent = 0;
    for (QObject* child : PropPanel->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w != ChangeBtn && !w->isWindow() && w->isVisibleTo(PropPanel))
            extent = std::max(extent, w->x() + w->width());
    }
    return extent;
}

void TPropEditor::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Arrange();
}

void TPropEditor::Arrange()
{
    const int h = height();
    const int nameWidth = NamePanel->isHidden() ? 0 : nameWidth_;
    NamePanel->setGeometry(0, 0, nameWidth, h);
    PropPanel->setGeometry(nameWidth, 0, std::max(width() - nameWidth, 0), h);
    if (changeBtnInNameColumn_)
        ChangeBtn->setGeometry(nameWidth - ChangeBtnWidth, 0, ChangeBtnWidth, h);
    else
        ChangeBtn->setGeometry(PropPanel->width() - ChangeBtnWidth, 0, ChangeBtnWidth, h);
}

// ---- TProp --------------------------------------------------------------------

TProp::~TProp()
{
    delete Editor;
}

// ---- TPropScrollbox: rows -----------------------------------------------------------

TPropScrollbox::TPropScrollbox(QWidget* parent) : TScrollBoxEx(parent)
{
    setObjectName("PropScrollbox");
}

TPropScrollbox::~TPropScrollbox() = default;

template <class Binder, class Editor>
Binder& TPropScrollbox::AddRow(const AnsiString& caption, int height)
{
    auto* editor = new Editor(Content());
    auto prop = std::make_unique<Binder>();
    Binder& ref = *prop;
    ref.Caption = caption;
    ref.Editor = editor;
    editor->NameLabel->setText(Q(caption));
    editor->NameLabel->adjustSize();
    editor->setGeometry(0, NextTop, std::max(viewport()->width(), TPropEditor::MinRowWidth), height);
    Rows.push_back(std::move(prop));
    return ref;
}

void TPropScrollbox::FinishRow(TProp& prop, int height)
{
    prop.Editor->resize(prop.Editor->width(), height);
    prop.Editor->show();
    NextTop += height;
    UpdateRange();
}

void TPropScrollbox::ClickEditsValue(TProp& prop, QWidget* label)
{
    auto click = [&prop] {
        auto* dialogRow = dynamic_cast<TDialogProp*>(&prop);
        if (dialogRow && dialogRow->OnClick)
            dialogRow->OnClick();
        else
            prop.EditValue();
    };
    new TClickFilter(prop.Editor->PropPanel, click);
    if (label)
        new TClickFilter(label, click);
    connect(prop.Editor->ChangeBtn, &QPushButton::clicked, prop.Editor, click);
}

TColorPropEditor* TPropScrollbox::AddColor(const AnsiString& caption, TColor& color)
{
    auto& prop = AddRow<TColorProp, TColorPropEditor>(caption, 25);
    prop.Value = &color;
    prop.Ed().ColorBtn->SetColor(color);
    ClickEditsValue(prop, nullptr);
    prop.Ed().ColorBtn->OnClick = [&prop](TZVQCustomButton*) { prop.EditValue(); };
    FinishRow(prop, 25);
    return &prop.Ed();
}

TFontNamePropEditor* TPropScrollbox::AddFontName(const AnsiString& caption, TFont& font)
{
    auto& prop = AddRow<TFontNameProp, TFontNamePropEditor>(caption, 25);
    prop.Value = &font;
    FinishRow(prop, prop.Ed().SizeCombo->height() + 1);
    return &prop.Ed();
}

TFontStylePropEditor* TPropScrollbox::AddFontStyle(const AnsiString& caption, TFont& font)
{
    auto& prop = AddRow<TFontStyleProp, TFontStylePropEditor>(caption, 25);
    prop.Value = &font;
    auto& ed = prop.Ed();
    ed.BoldBtn->setChecked(font.Style & fsBold);
    ed.ItalicBtn->setChecked(font.Style & fsItalic);
    ed.StrikeBtn->setChecked(font.Style & fsStrikeOut);
    ed.UnderBtn->setChecked(font.Style & fsUnderline);
    FinishRow(prop, ed.BoldBtn->height() + 1);
    return &ed;
}

void TPropScrollbox::AddHotkey(const AnsiString& caption, THotkey& hotkey, const TStrings& actions)
{
    auto& prop = AddRow<THotkeyProp, THotkeyPropEditor>(caption, 25);
    prop.Value = &hotkey;
    prop.Actions = actions;
    auto& ed = prop.Ed();
    ed.CtrlBtn->setChecked(hotkey.Shift & ssCtrl);
    ed.AltBtn->setChecked(hotkey.Shift & ssAlt);
    ed.ShiftBtn->setChecked(hotkey.Shift & ssShift);
    ed.ActionList->setVisible(!actions.empty());
    FinishRow(prop, ed.KeyList->height() + 1);
}

TComboPropEditor* TPropScrollbox::AddCombo(const AnsiString& caption, Integer& itemIndex, const TStrings& items,
                                           Integer width)
{
    auto& prop = AddRow<TComboProp, TComboPropEditor>(caption, 25);
    prop.Value = &itemIndex;
    QComboBox* combo = PlaceControl(prop.Ed().Combo, 4, 1, width);
    FillItems(combo, items);
    combo->setCurrentIndex(itemIndex >= 0 && itemIndex < combo->count() ? itemIndex : -1);
    FinishRow(prop, combo->height() + 1);
    return &prop.Ed();
}

void TPropScrollbox::AddImageCombo(const AnsiString& caption, Integer& itemIndex, const TStrings& items,
                                   Integer width, TUCLCustomImageList* images)
{
    auto& prop = AddRow<TImageComboProp, TImageComboPropEditor>(caption, 25);
    prop.Value = &itemIndex;
    TUCLImageComboBox* combo = prop.Ed().Combo;
    combo->SetImageList(images);
    const int pictureHeight = images ? images->GetSize(0, 1) : 0;
    combo->SetItemHeight(pictureHeight);
    for (const AnsiString& item : items)
        combo->AddItem(Q(item));
    combo->setGeometry(4, 1, width, pictureHeight + 6);
    combo->SetItemIndex(itemIndex);
    FinishRow(prop, pictureHeight + 8);
}

void TPropScrollbox::AddEditCombo(const AnsiString& caption, AnsiString& text, const TStrings& items, Integer width)
{
    auto& prop = AddRow<TEditComboProp, TEditComboPropEditor>(caption, 25);
    prop.Value = &text;
    QComboBox* combo = PlaceControl(prop.Ed().Combo, 4, 1, width);
    FillItems(combo, items);
    combo->setCurrentIndex(-1);
    combo->setEditText(Q(text));
    FinishRow(prop, combo->height() + 1);
}

void TPropScrollbox::AddCaption(const AnsiString& caption)
{
    auto& prop = AddRow<TCaptionProp, TCaptionPropEditor>(caption, 25);
    auto& ed = static_cast<TCaptionPropEditor&>(*prop.Editor);
    ed.SetHeadingText(Q(caption));
    new TClickFilter(ed.Heading, [this, &ed] { ToggleSection(&ed); });
    FinishRow(prop, NaturalHeight(ed.Heading) + 8);
}

TPropEditor* TPropScrollbox::AddEditEx(const AnsiString& caption, AnsiString& text, Integer maxLength, Integer width)
{
    auto& prop = AddRow<TEditProp, TEditPropEditor>(caption, 25);
    prop.Value = &text;
    auto& ed = prop.Ed();
    QLineEdit* edit = PlaceControl(ed.Edit, 4, 1, width);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    ed.MoveChangeBtnToNameColumn();
    auto showLink = [&ed](const QString& t) { ed.ChangeBtn->setVisible(IsLinkText(QStringToAnsi(t))); };
    connect(edit, &QLineEdit::textChanged, &ed, showLink);
    connect(ed.ChangeBtn, &QPushButton::clicked, &ed, [edit] { OpenLink(QStringToAnsi(edit->text())); });
    edit->setText(Q(text));
    showLink(edit->text());
    FinishRow(prop, edit->height() + 1);
    return &ed;
}

void TPropScrollbox::AddEdit(const AnsiString& caption, AnsiString& text, Integer maxLength, Integer width)
{
    AddEditEx(caption, text, maxLength, width);
}

TMemoPropEditor* TPropScrollbox::AddMemo(const AnsiString& caption, TStrings& lines, Integer width, Integer height)
{
    auto& prop = AddRow<TMemoProp, TMemoPropEditor>(caption, 25);
    prop.Value = &lines;
    QStringList text;
    for (const AnsiString& line : lines)
        text << Q(line);
    QPlainTextEdit* memo = prop.Ed().Memo;
    memo->setGeometry(4, 1, width, height);
    memo->setPlainText(text.join('\n'));
    FinishRow(prop, height + 5);
    return &prop.Ed();
}

void TPropScrollbox::AddCheck(const AnsiString& caption, bool& checked)
{
    auto& prop = AddRow<TCheckProp, TCheckPropEditor>(caption, 25);
    prop.Value = &checked;
    prop.Ed().Check->setChecked(checked);
    FinishRow(prop, 25);
}

template <class Binder, class Editor>
void TPropScrollbox::AddFileRow(const AnsiString& caption, AnsiString& fileName, Integer maxLength, Integer width,
                                const AnsiString& filter, const AnsiString& defaultExt)
{
    auto& prop = AddRow<Binder, Editor>(caption, 25);
    prop.Value = &fileName;
    TUCLCustomFileEdit* edit = prop.Ed().FileEdit;
    edit->setGeometry(4, 1, width, 20);
    edit->SetIntegerOption(0, maxLength);
    edit->Filter = filter;
    edit->DefaultExt = defaultExt;
    edit->SetFilename(Q(fileName));
    FinishRow(prop, edit->height() + 1);
}

void TPropScrollbox::AddFile(const AnsiString& caption, AnsiString& fileName, Integer maxLength, Integer width,
                             const AnsiString& filter, const AnsiString& defaultExt)
{
    AddFileRow<TFileProp, TFilePropEditor>(caption, fileName, maxLength, width, filter, defaultExt);
}

void TPropScrollbox::AddSaveFile(const AnsiString& caption, AnsiString& fileName, Integer maxLength, Integer width,
                                 const AnsiString& filter, const AnsiString& defaultExt)
{
    AddFileRow<TSaveFileProp, TSaveFilePropEditor>(caption, fileName, maxLength, width, filter, defaultExt);
}

void TPropScrollbox::AddSpin(const AnsiString& caption, Integer& value, Integer minValue, Integer maxValue,
                             Integer width)
{
    auto& prop = AddRow<TSpinProp, TSpinPropEditor>(caption, 25);
    prop.Value = &value;
    TUCLSpinEdit* spin = prop.Ed().Spin;
    spin->SetMinValue(minValue);
    spin->SetMaxValue(maxValue);
    spin->resize(width, spin->height());
    spin->SetValue(value);
    FinishRow(prop, spin->height() + 1);
}

void TPropScrollbox::AddRange(const AnsiString& caption, AnsiString& fromText, AnsiString& toText, Integer)
{
    auto& prop = AddRow<TRangeProp, TRangePropEditor>(caption, 25);
    prop.Value = &fromText;
    prop.Extra = &toText;
    prop.Ed().FromEdit->setText(Q(fromText));
    prop.Ed().ToEdit->setText(Q(toText));
    FinishRow(prop, prop.Ed().ToEdit->height() + 1);
}

void TPropScrollbox::AddDayTime(const AnsiString& caption, TDateTime& time)
{
    auto& prop = AddRow<TDayTimeProp, TDayTimePropEditor>(caption, 25);
    prop.Value = &time;
    // The time of day to the millisecond, as the class library decodes it.
    const double fraction = std::fabs(time - std::trunc(time));
    const auto ms = static_cast<Int64>(std::llround(fraction * 86400000.0));
    auto& ed = prop.Ed();
    ed.Hours->SetValue(Integer(ms / 3600000));
    ed.Minutes->SetValue(Integer(ms / 60000 % 60));
    ed.Seconds->SetValue(Integer(ms / 1000 % 60));
    FinishRow(prop, ed.Seconds->height() + 1);
}

TFormatProp* TPropScrollbox::AddFormat(const AnsiString& caption, TFormat& format)
{
    auto& prop = AddRow<TFormatProp, TFormatPropEditor>(caption, 25);
    prop.Value = &format;
    prop.Ed().ValueLabel->setText(Q(FormatKindName(format.Options)));
    prop.Ed().ChangeBtn->show();
    ClickEditsValue(prop, prop.Ed().ValueLabel);
    FinishRow(prop, 25);
    return &prop;
}

void TPropScrollbox::AddSync(const AnsiString& caption, AnsiString& syncText)
{
    auto& prop = AddRow<TSyncProp, TSyncPropEditor>(caption, 25);
    prop.Value = &syncText;
    prop.Ed().ValueLabel->setText(Q(syncText));
    prop.Ed().ValueLabel->adjustSize();
    prop.Ed().ChangeBtn->show();
    ClickEditsValue(prop, prop.Ed().ValueLabel);
    FinishRow(prop, 25);
}

void TPropScrollbox::AddFrame(const AnsiString& caption, AnsiString& prefix, AnsiString& suffix)
{
    auto& prop = AddRow<TFrameProp, TSyncPropEditor>(caption, 25);
    prop.Value = &prefix;
    prop.Extra = &suffix;
    prop.ShowText();
    prop.Ed().ChangeBtn->show();
    ClickEditsValue(prop, prop.Ed().ValueLabel);
    FinishRow(prop, 25);
}

TDialogProp* TPropScrollbox::AddDialog(const AnsiString& caption, Integer& modalResult, TModalForm* form)
{
    auto& prop = AddRow<TDialogProp, TDialogPropEditor>(caption, 25);
    prop.Value = &modalResult;
    prop.Form = form;
    prop.Ed().ChangeBtn->show();
    ClickEditsValue(prop, prop.Ed().ValueLabel);
    FinishRow(prop, 25);
    return &prop;
}

void TPropScrollbox::AddOptionsSection(AnsiString& name, bool& runtimeAdjustable)
{
    if (SimulationRunning || RunOnlyMode)
        return;
    AddCaption(Translate("Optionen"));
    AddEdit(Translate("Name"), name, 0, 120);
    AddCheck(Translate("Zur Laufzeit einstellbar"), runtimeAdjustable);
}

// ---- TPropScrollbox: layout -----------------------------------------------------------

void TPropScrollbox::Relayout()
{
    NextTop = 0;
    bool firstHeading = true;
    for (const auto& row : Rows) {
        TPropEditor* editor = row->Editor;
        editor->move(0, NextTop);
        if (row->IsHeading()) {
            auto* heading = static_cast<TCaptionPropEditor*>(editor);
            if (!firstHeading) {
                QString text = heading->Heading->text();
                if (heading->Collapsed) {
                    if (!text.endsWith('.'))
                        text += "...";
                } else {
                    while (text.endsWith('.'))
                        text.chop(1);
                }
                heading->SetHeadingText(text);
            }
            firstHeading = false;
        }
        if (!editor->isHidden())
            NextTop += editor->height();
    }
    UpdateRange();
}

void TPropScrollbox::AlignCaptions()
{
    int width = 0;
    for (const auto& row : Rows)
        width = std::max(width, row->Editor->NameLabel->fontMetrics().horizontalAdvance(row->Editor->NameLabel->text()));
    width = std::max(width + 10, 100);
    for (const auto& row : Rows) {
        TPropEditor* editor = row->Editor;
        editor->SetNameWidth(width);
        QLabel* label = editor->NameLabel;
        if (label->alignment() & Qt::AlignRight)
            label->move(width - label->fontMetrics().horizontalAdvance(label->text()) - 5, label->y());
    }
}

void TPropScrollbox::FitWidth()
{
    int valueWidth = 0;
    for (const auto& row : Rows)
        valueWidth = std::max(valueWidth, row->Editor->ValueExtent());
    valueWidth = std::max(valueWidth + 4, 100);
    for (const auto& row : Rows) {
        TPropEditor* editor = row->Editor;
        int nameWidth = editor->NameWidth();
        if (nameWidth + valueWidth < TPropEditor::MinRowWidth)
            nameWidth = TPropEditor::MinRowWidth - valueWidth;
        editor->SetNameWidth(nameWidth);
        editor->resize(nameWidth + valueWidth, editor->height());
    }
    UpdateRange();
}

void TPropScrollbox::ToggleSection(TPropEditor* heading)
{
    auto* caption = static_cast<TCaptionPropEditor*>(heading);
    caption->Collapsed = !caption->Collapsed;
    QString text = caption->Heading->text();
    if (caption->Collapsed)
        text += "...";
    else
        text.chop(3);
    caption->SetHeadingText(text);

    auto it = std::find_if(Rows.begin(), Rows.end(), [heading](const auto& row) { return row->Editor == heading; });
    bool lastSection = true;
    for (++it; it != Rows.end(); ++it) {
        if ((*it)->IsHeading()) {
            lastSection = false;
            break;
        }
        (*it)->Editor->setVisible((*it)->Editor->isHidden());
    }
    if (lastSection)
        verticalScrollBar()->setValue(0);
    Relayout();
    if (OnLayoutChanged)
        OnLayoutChanged(this);
}

void TPropScrollbox::Clear()
{
    Rows.clear();
    NextTop = 0;
    UpdateRange();
}

void TPropScrollbox::WriteBackAll()
{
    for (const auto& row : Rows)
        row->WriteBack();
}

// ---- Links ----------------------------------------------------------------------

bool IsMailAddress(const AnsiString& text)
{
    const std::size_t at = text.find('@');
    if (at == AnsiString::npos || at == 0)
        return false;
    const std::size_t dot = text.find('.', at + 1);
    return dot != AnsiString::npos && dot > at + 1;
}

bool IsLinkText(const AnsiString& text)
{
    const AnsiString upper = AnsiUpperCase(text);
    return upper.find("WWW.") != AnsiString::npos || upper.find("HTTP:") != AnsiString::npos
        || (!text.empty() && FileExists(text)) || IsMailAddress(text);
}

QUrl LinkUrl(const AnsiString& text)
{
    if (IsMailAddress(text))
        return QUrl("mailto:" + Q(text));
    if (FileExists(text))
        return QUrl::fromLocalFile(QtFileName(ResolvePath(text)));
    return QUrl::fromUserInput(Q(text));
}

void OpenLink(const AnsiString& text)
{
    QDesktopServices::openUrl(LinkUrl(text));
}
