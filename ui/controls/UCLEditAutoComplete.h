// Auto-complete for the single-line edit: while the user types, the text is
// completed from a word list (the added tail selected, so typing on replaces
// it) and/or a list of the entries that begin with the typed text drops down
// under the edit, walked with the arrow keys and taken with Enter. A text not
// yet in the word list can be offered for adding when the edit is left or
// Enter is pressed. The words are one item of a string list container.
#pragma once

#include "ui/controls/UCLBase.h"
#include "ui/controls/UCLLists.h"

#include <QListWidget>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QEvent;
class TUCLBaseEdit;

enum TUCLAutoCompleteMode : Byte { amText = 0x01, amPopup = 0x02 };
using TUCLAutoCompleteModes = Byte;
enum TUCLAutoCompleteAddOn : Byte { aaControlExit = 0x01, aaControlReturn = 0x02 };
using TUCLAutoCompleteAddOns = Byte;
enum class TUCLAutoCompleteSource : Byte { asStringList };

using TUCLAutoCompleteAddEvent = std::function<void(TPersistent* Sender, TUCLBaseEdit* EditControl,
                                                    QString& AddText, bool& Add, TUCLAutoCompleteSource& AddTo)>;

class TUCLEditAutoComplete : public TUCLCustomComponent {
    ZK_CLASS(TUCLEditAutoComplete, TUCLCustomComponent)
public:
    static constexpr int MaxRows = 8;   // most rows the suggestion list shows

    explicit TUCLEditAutoComplete(QObject* Owner = nullptr);
    ~TUCLEditAutoComplete() override;

    bool CaseSensitive = true;   // false compares upper-cased texts
    bool Enabled = true;
    TUCLAutoCompleteModes Mode = 0;
    TUCLAutoCompleteAddOns AddUnknownOn = 0;
    TUCLAutoCompleteAddEvent OnAdd;

    TUCLStringList* StringList() const { return FStringList; }
    void SetStringList(TUCLStringList* Value) { FStringList = Value; }
    int StringListIndex() const { return FStringListIndex; }
    // Ignored without a string list; an index past its end becomes the last.
    void SetStringListIndex(int Value);
    // The words: the lines of the chosen string list item (none without one).
    std::vector<QString> Words() const;

    QString Normalize(const QString& S) const;
    bool BeginsWith(const QString& Entry, const QString& Typed) const;
    // After every text change of the edit: completes the text in place.
    void Complete(TUCLBaseEdit* Edit, const QString& Typed);
    // The completion of Typed (Typed itself without one); shows or closes the
    // suggestion list.
    QString Lookup(TUCLBaseEdit* Edit, const QString& Typed);
    QString FindFirstMatch(const QString& Typed) const;
    void ShowMatches(TUCLBaseEdit* Edit, const QString& Typed);
    void FillPopup(TUCLBaseEdit* Edit, const std::vector<QString>& Entries);
    void ClosePopup();
    // Offers a text that is not in the word list for adding.
    void AddUnknown(TUCLBaseEdit* Edit, const QString& Text);
    // An event the served edit has handled already: focus loss and Escape
    // drop the completion, Up and Down walk the list, Enter takes the entry.
    void EditEvent(TUCLBaseEdit* Edit, QEvent* Event);

    // The suggestion list while shown (nullptr otherwise), and the edit it serves.
    QListWidget* Popup() const { return FListBox; }
    TUCLBaseEdit* ServedEdit() const { return FServedEdit; }
    const QString& LastTyped() const { return FLastTyped; }

private:
    void SelectAllAtEnd(TUCLBaseEdit* Edit);
    void TakeSelectedEntry(TUCLBaseEdit* Edit);

    QPointer<TUCLStringList> FStringList;
    int FStringListIndex = 0;
    QString FLastTyped;
    QPointer<TUCLBaseEdit> FServedEdit;
    QPointer<QListWidget> FListBox;
};
