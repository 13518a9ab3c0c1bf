// The quick search over the type names of every category's components and
// placing a found component on the board.
#include "engine/Bibo.h"
#include "engine/DeviceInterfaces.h"
#include "platform/AnsiText.h"
#include "platform/Paths.h"
#include "shell/Categories.h"
#include "shell/MainForm.h"
#include "ui/controls/UCLImageListBox.h"
#include "ui/controls/UCLSpeedButton.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The class identifier of a search entry that names a device: this prefix
// followed by the device's class name.
constexpr const char* HardwarePrefix = "Hardware";

// The class identifier of a search entry: its class name, or for a hardware
// component the prefix and its device's class name.
AnsiString ClassIdentifier(const TBauteil& entry)
{
    if (const auto* hardware = dynamic_cast<const IHardwareComponent*>(&entry))
        if (const auto* device = dynamic_cast<const TPersistent*>(hardware->Driver()))
            return AnsiString(HardwarePrefix) + device->ClassName();
    return entry.ClassName();
}

// The words of a search text: the parts between blanks; empty parts (leading
// or doubled blanks) are no words.
std::vector<AnsiString> SearchWords(const AnsiString& text)
{
    std::vector<AnsiString> words;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t blank = std::min(text.find(' ', from), text.size());
        if (blank > from)
            words.push_back(AnsiUpperCase(text.substr(from, blank - from)));
        from = blank + 1;
    }
    return words;
}

} // namespace

void TForm1::CreateSearchPanel(QWidget* parent, QVBoxLayout* column)
{
    SearchPanel = new QWidget(parent);
    SearchPanel->setObjectName("SearchPanel");
    auto* layout = new QVBoxLayout(SearchPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    SearchResultListbox = new TUCLImageListBox(SearchPanel);
    SearchResultListbox->setObjectName("SearchResultListbox");
    SearchResultListbox->SetSorted(true);
    SearchPopup = new QMenu(SearchResultListbox);
    SearchPopup->setObjectName("SearchPopup");
    SearchAdd = SearchPopup->addAction(QString::fromUtf8("Zum Projekt hinzufügen"));
    SearchAdd->setObjectName("SearchAdd");
    connect(SearchAdd, &QAction::triggered, this, [this] { Guarded([this] { SearchAddClick(); }); });
    SearchResultListbox->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SearchResultListbox, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        SearchPopupPopup();
        SearchPopup->popup(SearchResultListbox->mapToGlobal(at));
    });
    searchMouse_ = std::make_unique<TEventHook>([this](QObject*, QEvent* event) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            SearchResultListboxDblClick();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            if (SearchResultListbox->viewport()->rect().contains(at))
                SearchResultListboxMouseUp();
        }
        return false;
    });
    SearchResultListbox->viewport()->installEventFilter(searchMouse_.get());
    layout->addWidget(SearchResultListbox, 1);
    SearchEdit = new QLineEdit(SearchPanel);
    SearchEdit->setObjectName("SearchEdit");
    connect(SearchEdit, &QLineEdit::textChanged, this, [this] { Guarded([this] { SearchEditChange(); }); });
    layout->addWidget(SearchEdit);
    SearchPanel->hide();
    column->addWidget(SearchPanel, 1);
}

void TForm1::BuildSearchList()
{
    SearchNames.clear();
    SearchClassIds.clear();
    Bibo->PaintSuppressed = true;
    Bibo->hide();
    try {
        for (const TLibraryCategory& category : LibraryCategories) {
            const AnsiString file = LibraryFolder + category.LibraryFile;
            if (!FileExists(file))
                continue;
            Bibo->LoadFromFile(file);
            for (const TBauteil* entry : Bibo->Entries) {
                if (!dynamic_cast<const TIOBauteil*>(entry))
                    continue;
                const AnsiString name = TBibo::EntryCaption(entry);
                if (std::find(SearchNames.begin(), SearchNames.end(), name) != SearchNames.end())
                    continue;
                SearchNames.push_back(name);
                SearchClassIds.push_back(ClassIdentifier(*entry));
            }
        }
    } catch (...) {
        Bibo->PaintSuppressed = false;
        Bibo->show();
        throw;
    }
    Bibo->PaintSuppressed = false;
    Bibo->show();
    // The result list starts with every name.
    SearchEditChange();
}

void TForm1::SearchBtnClick()
{
    SearchPanel->setVisible(!SearchPanel->isVisible());
    if (SearchPanel->isVisible())
        SearchEdit->setFocus();
}

void TForm1::SearchEditChange()
{
    const std::vector<AnsiString> words = SearchWords(QStringToAnsi(SearchEdit->text()));
    SearchResultListbox->ClearItems();
    for (const AnsiString& name : SearchNames) {
        const AnsiString upper = AnsiUpperCase(name);
        if (std::all_of(words.begin(), words.end(), [&](const AnsiString& w) { return upper.find(w) != AnsiString::npos; }))
            SearchResultListbox->AddItem(AnsiToQString(name));
    }
}

void TForm1::SearchPopupPopup()
{
    SearchAdd->setEnabled(SearchResultListbox->ItemIndex() >= 0);
}

void TForm1::SearchAddClick()
{
    const int selected = SearchResultListbox->ItemIndex();
    if (selected < 0)
        return;
    const AnsiString name = QStringToAnsi(SearchResultListbox->ItemText(selected));
    const auto found = std::find(SearchNames.begin(), SearchNames.end(), name);
    if (found == SearchNames.end())
        return;
    const AnsiString& id = SearchClassIds[static_cast<std::size_t>(found - SearchNames.begin())];
    const std::size_t prefix = std::char_traits<char>::length(HardwarePrefix);
    PlaceNewObject(id.compare(0, prefix, HardwarePrefix) == 0 ? id.substr(prefix) : id);
}

// A double click places the component once the button is up again, so that
// it comes up at the cursor to be placed.
void TForm1::SearchResultListboxDblClick()
{
    searchWaitingForMouseUp_ = true;
}

void TForm1::SearchResultListboxMouseUp()
{
    if (!searchWaitingForMouseUp_)
        return;
    searchWaitingForMouseUp_ = false;
    Guarded([this] { SearchAddClick(); });
}
