#include "ui/controls/UCLEditAutoComplete.h"

#include "platform/AnsiText.h"
#include "ui/controls/UCLBaseEdit.h"
#include "ui/controls/UCLLists.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QListWidget>

#include <algorithm>

TUCLEditAutoComplete::TUCLEditAutoComplete(QObject* Owner) : TUCLCustomComponent(Owner) {}

TUCLEditAutoComplete::~TUCLEditAutoComplete()
{
    ClosePopup();
}

void TUCLEditAutoComplete::SetStringListIndex(int Value)
{
    if (!FStringList)
        return;
    FStringListIndex = Value;
    if (Value >= FStringList->Count())
        FStringListIndex = FStringList->Count() - 1;
}

std::vector<QString> TUCLEditAutoComplete::Words() const
{
    std::vector<QString> words;
    const TUCLStringListItem* item = FStringList ? FStringList->Item(FStringListIndex) : nullptr;
    if (item)
        for (const AnsiString& line : item->Items())
            words.push_back(AnsiToQString(line));
    return words;
}

QString TUCLEditAutoComplete::Normalize(const QString& S) const
{
    if (CaseSensitive)
        return S;
    // ASCII letters only, as the library's UpperCase.
    QString upper = S;
    for (QChar& c : upper)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return upper;
}

bool TUCLEditAutoComplete::BeginsWith(const QString& Entry, const QString& Typed) const
{
    return Normalize(Entry).startsWith(Normalize(Typed));
}

void TUCLEditAutoComplete::Complete(TUCLBaseEdit* Edit, const QString& Typed)
{
    if (!Enabled || !Edit)
        return;
    const QString completed = Lookup(Edit, Typed);
    if (Normalize(completed) != Normalize(Typed)) {
        Edit->SetText(completed);
        Edit->SetIntegerOption(5, Integer(Typed.size()) + 1);
        Edit->SetIntegerOption(2, Integer(completed.size() - Typed.size()));
    }
}

QString TUCLEditAutoComplete::Lookup(TUCLBaseEdit* Edit, const QString& Typed)
{
    QString result = Typed;
    FLastTyped = Typed;
    // An empty text completes to nothing: the user must be able to clear
    // the edit.
    if ((Mode & amText) && FStringList && !Typed.isEmpty()) {
        const QString match = FindFirstMatch(Typed);
        if (!match.isNull())
            result = match;
    }
    if (Mode & amPopup) {
        if (!Typed.isEmpty())
            ShowMatches(Edit, Typed);
        else
            ClosePopup();
    }
    return result;
}

QString TUCLEditAutoComplete::FindFirstMatch(const QString& Typed) const
{
    for (const QString& word : Words())
        if (BeginsWith(word, Typed))
            return word;
    return QString();
}

void TUCLEditAutoComplete::ShowMatches(TUCLBaseEdit* Edit, const QString& Typed)
{
    std::vector<QString> list = Words();
    // Sorted as the string list sorts: ignoring case.
    std::stable_sort(list.begin(), list.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    auto first = std::find_if(list.begin(), list.end(), [&](const QString& w) { return BeginsWith(w, Typed); });
    list.erase(list.begin(), first);
    auto end = std::find_if(list.begin(), list.end(), [&](const QString& w) { return !BeginsWith(w, Typed); });
    list.erase(end, list.end());
    FillPopup(Edit, list);
}

void TUCLEditAutoComplete::FillPopup(TUCLBaseEdit* Edit, const std::vector<QString>& Entries)
{
    if (Entries.empty() || !Edit)
        return;
    if (Entries.size() == 1 && Normalize(Entries[0]) == Normalize(Edit->GetText())) {
        ClosePopup();
        return;
    }
    if (FServedEdit && FServedEdit != Edit)
        ClosePopup();
    if (!FListBox) {
        // A window of its own above everything, that never takes the focus.
        FListBox = new QListWidget(Edit);
        FListBox->setObjectName(QStringLiteral("AutoCompleteList"));
        FListBox->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        FListBox->setAttribute(Qt::WA_ShowWithoutActivating);
        FListBox->setFocusPolicy(Qt::NoFocus);
        FListBox->setFrameShape(QFrame::Box);
    }
    FServedEdit = Edit;
    FListBox->clear();
    for (const QString& entry : Entries)
        FListBox->addItem(entry);
    const int rowHeight = QFontMetrics(FListBox->font()).height();
    const int rows = std::min<int>(int(Entries.size()), MaxRows);
    FListBox->setGeometry(QRect(Edit->mapToGlobal(QPoint(0, Edit->height())), QSize(Edit->width(), rowHeight * rows + 5)));
    FListBox->show();
}

void TUCLEditAutoComplete::ClosePopup()
{
    if (!FListBox) {
        FServedEdit = nullptr;
        return;
    }
    FServedEdit = nullptr;
    delete FListBox.data();
}

void TUCLEditAutoComplete::SelectAllAtEnd(TUCLBaseEdit* Edit)
{
    Edit->SetIntegerOption(5, Edit->TextLength() + 1);
    Edit->SelectAll();
}

void TUCLEditAutoComplete::TakeSelectedEntry(TUCLBaseEdit* Edit)
{
    if (QListWidgetItem* item = FListBox ? FListBox->currentItem() : nullptr)
        Edit->SetText(item->text());
}

void TUCLEditAutoComplete::EditEvent(TUCLBaseEdit* Edit, QEvent* Event)
{
    if (!Edit || Edit != FServedEdit || !FListBox)
        return;
    const auto key = [Event] { return static_cast<QKeyEvent*>(Event)->key(); };
    switch (Event->type()) {
    case QEvent::FocusOut:
        Edit->SetText(FLastTyped);
        SelectAllAtEnd(Edit);
        ClosePopup();
        break;
    case QEvent::KeyPress:
        if (key() == Qt::Key_Escape) {
            Edit->SetText(FLastTyped);
            SelectAllAtEnd(Edit);
            ClosePopup();
        } else if (key() == Qt::Key_Return || key() == Qt::Key_Enter) {
            TakeSelectedEntry(Edit);
            SelectAllAtEnd(Edit);
            ClosePopup();
        }
        break;
    case QEvent::KeyRelease: {
        const int row = FListBox->currentRow();
        if (key() == Qt::Key_Up) {
            if (row > 0)
                FListBox->setCurrentRow(row - 1);
        } else if (key() == Qt::Key_Down) {
            if (row < FListBox->count() - 1)
                FListBox->setCurrentRow(row + 1);
        } else {
            break;
        }
        TakeSelectedEntry(Edit);
        SelectAllAtEnd(Edit);
        break;
    }
    default: break;
    }
}

void TUCLEditAutoComplete::AddUnknown(TUCLBaseEdit* Edit, const QString& Text)
{
    if (!Enabled)
        return;
    bool add = true;
    TUCLAutoCompleteSource addTo = TUCLAutoCompleteSource::asStringList;
    if (FStringList) {
        const QString wanted = Normalize(Text);
        for (const QString& word : Words())
            if (Normalize(word) == wanted)
                return;
    }
    QString text = Text;
    if (OnAdd)
        OnAdd(this, Edit, text, add, addTo);
    if (!add || addTo != TUCLAutoCompleteSource::asStringList || !FStringList)
        return;
    if (TUCLStringListItem* item = FStringList->Item(FStringListIndex)) {
        std::vector<AnsiString> lines = item->Items();
        lines.push_back(QStringToAnsi(text));
        item->SetItems(lines);
    }
}
