// Macro commands and macro windows: saving the shown board as a macro file,
// importing macro files (by hand, from the palette), the tabs of macro inner
// boards, and the "Makros" category of the palette, built from every macro
// file of the macro folder through a temporary library file.
#include "engine/AnsiLiteral.h"
#include "engine/Bibo.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/Makro.h"
#include "engine/PanelInterfaces.h"
#include "engine/Platine.h"
#include "engine/PlatineView.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/FileHeader.h"
#include "platform/FlagScope.h"
#include "platform/Paths.h"
#include "platform/Stream.h"
#include "shell/BoardMouse.h"
#include "shell/MainForm.h"
#include "panel/framework/Frontplatte.h"
#include "project/ProjectFile.h"
#include "ui/controls/UCLSpeedButton.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QDir>
#include <QTemporaryDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>

#include <cmath>
#include <memory>

namespace {

constexpr std::size_t MacroNameLength = 10;

// The macro's name from its file: without folder and extension, cut to 10.
AnsiString MacroNameOf(const AnsiString& fileName)
{
    AnsiString name = ExtractFileName(fileName);
    name = ChangeFileExt(name, "");
    return name.substr(0, MacroNameLength);
}

AnsiString TabCaption(const TMakro& macro)
{
    return " " + macro.Name.Str() + " ";
}

// Gives a value back when the scope ends, also by an exception.
template <class T>
class TKeep {
public:
    explicit TKeep(T& target) : target_(target), saved_(target) {}
    ~TKeep() { target_ = saved_; }
    TKeep(const TKeep&) = delete;
    TKeep& operator=(const TKeep&) = delete;

private:
    T& target_;
    T saved_;
};

} // namespace

// ---- The controls of the macro category

void TForm1::CreateMacroControls(QVBoxLayout* column, int at)
{
    MakroPathEdit = new QLineEdit(P_Bibo);
    MakroPathEdit->setObjectName("MakroPathEdit");
    MakroPathEdit->hide();
    column->insertWidget(at, MakroPathEdit);
    ProgressBar1 = new QProgressBar(P_Bibo);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setFixedHeight(12);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    column->insertWidget(at + 1, ProgressBar1);
    connect(MakroPathEdit, &QLineEdit::textEdited, this, [this] { Guarded([this] { MakroPathEditChange(); }); });

    PopupBibo->addSeparator()->setData(999);
    MakrosItem = PopupBibo->addAction(QIcon(QStringLiteral(":/pictures/categories/makro.svg")),
                                      AnsiToQString(ByLanguage("Makros", "Macros", "Macros")));
    MakrosItem->setObjectName("Makros1");
    MakrosItem->setData(1000);
    connect(MakrosItem, &QAction::triggered, this, [this] { Guarded([this] { MakroClick(); }); });
    PopupBibo->addSeparator()->setData(999);
    Del1 = PopupBibo->addAction(AnsiToQString(ByLanguage("Makro löschen"_ansi, "Delete macro", "Effacer macro")));
    Del1->setObjectName("Del1");
    Del1->setToolTip(AnsiToQString(ByLanguage("Makro löschen: "_ansi, "Delete macro: ", "Effacer macro: ")));
    Del1->setVisible(false);
    connect(Del1, &QAction::triggered, this, [this] { Guarded([this] { Del1Click(); }); });
    connect(PopupBibo, &QMenu::aboutToShow, this, [this] { PopupBiboPopup(); });

    // A right click on the palette reports the entry and opens the category menu.
    Bibo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Bibo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupBibo->popup(Bibo->mapToGlobal(at)); });
    Bibo->OnPickMacro = [this](TBibo* palette) {
        if (TMakro* macro = palette->PickedMacro)
            ImportMacroFile(macro->FileName, true, CurrentBoard);
    };
}

// ---- Save as macro

void TForm1::MakroSpeichern1Click()
{
    const int tab = TabSet->currentIndex();
    const AnsiString caption = ByLanguage("Als Makro speichern (", "Save as macro (", "Sauvegarder comme une macro (") +
                               QStringToAnsi(TabSet->tabText(tab < 0 ? 0 : tab)) + ")";
    if (CurrentBoard->MacroPinCount() == 0) {
        MessageBox(ByLanguage("Diese Schaltung hat keine Pins für Makros definiert.\rWechseln Sie evt. in das "
                              "Innenleben eines Makros\rum dieses zu ändern und zu speichern."_ansi,
                              "Missing macro pins!\rActivate a macro circuit or add macro pins\rbefore saving as macro.",
                              "Aucune broche macro n´est présente !\rActivez un circuit macro ou ajoutez des broches "
                              "macro\ravant de sauvegarder comme une macro."_ansi),
                   caption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (Frontplatte->ShownDesign() == Frontplatte->RootDesign() && Frontplatte->PageCount() >= 2) {
        MessageBox(ByLanguage("Diese Schaltung verwendet mehr als eine Frontplatte.\rDies ist für Makros nicht erlaubt. "
                              "Setzen Sie alle Bedienungs-\relemente des Makros nur auf eine Frontplatte."_ansi,
                              "This circuit contains more than one front panel.\rMove all macro controls to a single "
                              "front panel\rbefore saving as macro.",
                              "Ce circuit dispose de plusieurs panneaux de contrôle.\rDéplacez toutes les commandes de "
                              "macro sur un seul panneau de contrôle\ravant de sauvegarder comme une macro."_ansi),
                   caption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    TFileDialog dialog;
    dialog.Kind = TFileDialogKind::Save;
    dialog.Title = "Makro speichern";
    dialog.Filter = "Makro|*.mak";
    dialog.FilterIndex = 1;
    dialog.DefaultExt = "mak";
    dialog.FileName = "*.mak";
    dialog.InitialDir = MacroFolder;
    const AnsiString fileName = ExecuteFileDialog(dialog);
    if (fileName.empty())
        return;
    try {
        SaveProject(fileName);
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

// ---- Import

void TForm1::Makroimportieren1Click()
{
    TFileDialog dialog;
    dialog.Filter = "Projektdatei|*.prj|Makro|*.mak";
    dialog.FilterIndex = 2;
    dialog.DefaultExt = "mak";
    dialog.FileName = "*.mak";
    dialog.InitialDir = MacroFolder;
    const AnsiString fileName = ExecuteFileDialog(dialog);
    if (fileName.empty())
        return;
    try {
        ImportMacroFile(fileName, true, CurrentBoard);
    } catch (const std::exception& error) {
        ReportFileError(error, fileName);
    }
}

void TForm1::ImportMacroFile(const AnsiString& fileName, bool placeByHand, TPlatine* board)
{
    TMakro* macro = nullptr;
    {
        // A file that is not read to its end leaves the board as it was.
        TKeep<Byte> version(LoadedFileVersion);
        TFileStream file(QtFileName(ResolvePath(fileName)).toStdString(), TFileMode::fmOpenRead);
        TReader reader(file);
        LoadedFileVersion = ReadProjectHeader(reader, SaveCompiled);
        macro = ReadMacro(nullptr, file, fileName, LoadedFileVersion, board, reader);
    }
    board->InsertObject(macro);
    board->SelectAll(false);
    board->SelectObject(macro, true);
    if (placeByHand && ClipboardStream) {
        // Cut and pasted again, the macro hangs at the cursor until it is placed.
        board->CopySelection();
        board->DeleteSelected();
        LoadedFileVersion = static_cast<Byte>(FileVersion);
        ClipboardStream->SetPosition(0);
        board->PasteFromStream(*ClipboardStream, static_cast<Byte>(FileVersion));
        CurrentDesign->BringSelectionToFront();
    }
    if (IDesign* root = Links.Panel->RootDesign())
        root->RefreshTransparency(nullptr);
}

TMakro* TForm1::ReadMacro(TMakro* macro, TStream& stream, const AnsiString& fileName, Byte version, TPlatine* board,
                          TReader& reader)
{
    std::unique_ptr<TMakro> created;
    if (!macro) {
        created.reset(CreateBauteil<TMakro>());
        macro = created.get();
    }
    if (!fileName.empty()) {
        macro->Name = MacroNameOf(fileName);
        macro->FileName = fileName;
    }
    try {
        Links.ReadMacro(*macro, stream, *board, reader, version);
    } catch (...) {
        if (created) {
            // Its circuit and its panel go before the macro itself.
            macro->FreeInnerBoard();
            if (macro->SubDesign && macro->ParentDesign)
                macro->ParentDesign->RemoveElement(macro->SubDesign);
            macro->SubDesign = nullptr;
        }
        throw;
    }
    return created ? created.release() : macro;
}

// ---- Macro windows

TPlatineView* TForm1::TabView(int index) const
{
    return dynamic_cast<TPlatineView*>(TabSet->tabData(index).value<QObject*>());
}

void TForm1::ShowMacroBoard(TMakro* macro)
{
    TPlatine* inner = macro ? macro->InnerBoard() : nullptr;
    if (!inner)
        return;
    for (std::size_t i = 0; i < OpenBoards.size(); ++i)
        if (OpenBoards[i] == inner) {
            ProjectModified = true;
            SelectBoardTab(i);
            return;
        }
    if (!inner->View) {
        auto* view = new TPlatineView(*inner, Panel4);
        BoardMouse->InstallOn(*view);
        Panel4->addWidget(view);
    }
    inner->ClipboardStream = ClipboardStream.get();
    inner->MainWindowHandle = WindowHandle->Handle();
    // The boards share the zoom and wire modes; placing and text are the shown board's own.
    const TBoardMode mode = CurrentBoard ? CurrentBoard->Mode : TBoardMode::Select;
    inner->Mode = mode == TBoardMode::Zoom || mode == TBoardMode::Wire ? mode : TBoardMode::Select;
    inner->PreviousMode = inner->Mode;
    OpenBoards.push_back(inner);
    int tab = 0;
    {
        const QSignalBlocker quiet(TabSet);
        tab = TabSet->addTab(AnsiToQString(TabCaption(*macro)));
        TabSet->setTabData(tab, QVariant::fromValue<QObject*>(dynamic_cast<TPlatineView*>(inner->View)));
    }
    // Selecting the new tab is a tab change.
    ProjectModified = true;
    SelectBoardTab(OpenBoards.size() - 1);
    inner->SelectAll(false);
    inner->ZoomToObjects(false);
}

void TForm1::SelectBoardTab(std::size_t index)
{
    if (index >= OpenBoards.size())
        return;
    CurrentBoard = OpenBoards[index];
    ShowBoard(CurrentBoard);
    if (static_cast<int>(index) < TabSet->count()) {
        const QSignalBlocker quiet(TabSet);
        TabSet->setCurrentIndex(static_cast<int>(index));
    }
    // The panel shows the design of the board: the macro's own or the root.
    IDesign* design = nullptr;
    if (CurrentBoard->OwnerMacro)
        design = CurrentBoard->OwnerMacro->SubDesign;
    if (!design)
        design = Frontplatte->RootDesign();
    CurrentDesign = design;
    Frontplatte->ShowPanel(design);
    if (CurrentBoard->OnAktTools)
        CurrentBoard->OnAktTools();
}

void TForm1::RemoveTab(int index)
{
    TPlatineView* view = TabView(index);
    {
        const QSignalBlocker quiet(TabSet);
        TabSet->removeTab(index);
    }
    if (index < static_cast<int>(OpenBoards.size()))
        OpenBoards.erase(OpenBoards.begin() + index);
    // The inner board stays with its macro; only its window goes.
    delete view;
    PlatineScrollbox = Panel4->currentWidget();
}

void TForm1::Makrofensterschliessen1Click()
{
    const int index = TabSet->currentIndex();
    if (index <= 0)
        return;
    const int next = index == TabSet->count() - 1 ? index - 1 : index + 1;
    SelectBoardTab(static_cast<std::size_t>(next));
    RemoveTab(index);
}

void TForm1::CloseMacroTabs()
{
    while (TabSet->count() > 1)
        RemoveTab(TabSet->count() - 1);
}

void TForm1::DropClosedMacroTabs()
{
    // A removed macro took its inner board (and those nested in it) along.
    bool currentGone = false;
    for (int i = TabSet->count() - 1; i >= 1; --i) {
        TPlatineView* view = TabView(i);
        if (view && view->Board())
            continue;
        currentGone = currentGone || i == TabSet->currentIndex();
        RemoveTab(i);
    }
    if (currentGone)
        SelectBoardTab(0);
}

void TForm1::MacroNameChanged(TMakro* macro)
{
    if (CurrentBoard)
        CurrentBoard->InvalidateObject(macro);
    TPlatine* inner = macro->InnerBoard();
    for (int i = 1; i < TabSet->count(); ++i)
        if (TPlatineView* view = TabView(i); inner && view && view->Board() == inner)
            TabSet->setTabText(i, AnsiToQString(TabCaption(*macro)));
    if (macro->SubDesign)
        macro->SubDesign->SetElementName("Makro: " + macro->Name.Str());
}

// ---- The macro category of the palette

void TForm1::MakroClick()
{
    if (MacroFolder.empty() || !DirectoryExists(MacroFolder)) {
        MacroFolder = ProgramFolder();
        if (DirectoryExists(MacroFolder + "MAKROS"))
            MacroFolder = ResolvePath(MacroFolder + "Makros") + "/";
    }
    if (MacroFolder.back() != '/' && MacroFolder.back() != '\\')
        MacroFolder += "/";
    {
        const QSignalBlocker quiet(MakroPathEdit);
        MakroPathEdit->setText(AnsiToQString(MacroFolder));
    }
    BiboButton->SetCaption(AnsiToQString(ByLanguage("Makros", "Macros", "Macros")));
    BiboButton->SetGlyph(QIcon(QStringLiteral(":/pictures/categories/makro.svg")).pixmap(16, 16).toImage());
    BiboTag = -1;

    QStringList files;
    for (const QString& name : QDir(QtFileName(MacroFolder)).entryList(QDir::Files, QDir::Name))
        if (name.endsWith(QStringLiteral(".mak"), Qt::CaseInsensitive))
            files << name;

    SB_Bibliothek->hide();
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    struct TShowPalette {
        TForm1& Form;
        ~TShowPalette()
        {
            Form.ProgressBar1->hide();
            Form.SB_Bibliothek->show();
        }
    } showAtEnd{*this};

    // The macros are read onto a board and a panel of their own; their
    // elements and circuits go with them at the end, whatever happens.
    TKeep<IDesign*> keepDesign(CurrentDesign);
    TKeep<TPlatine*> keepBoard(CurrentBoard);
    TFrontplatte scratchPanel;
    auto scratch = std::make_unique<TPlatine>();
    scratch->ClipboardStream = ClipboardStream.get();
    scratch->BoardPalette = MainBoard ? MainBoard->BoardPalette : nullptr;
    Links.Attach(*scratch);
    struct TFreeScratch {
        TForm1& Form;
        std::unique_ptr<TPlatine>& Board;
        ~TFreeScratch()
        {
            // Its removal handlers ask the current board whether a pin is deleted.
            Form.CurrentBoard = Board.get();
            Board.reset();
        }
    } freeScratch{*this, scratch};
    CurrentDesign = scratchPanel.RootDesign();

    struct TRead {
        AnsiString FileName;
        TPlatine* Inner;
    };
    std::vector<TRead> read;
    QStringList refused;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const AnsiString fileName = MacroFolder + QStringToAnsi(files[i]);
        try {
            ImportMacroFile(fileName, false, scratch.get());
            // The new macro is the last macro of the board (its pin stubs follow it).
            TMakro* macro = nullptr;
            for (auto it = scratch->Objects.rbegin(); !macro && it != scratch->Objects.rend(); ++it)
                macro = dynamic_cast<TMakro*>(*it);
            if (macro && macro->InnerBoard()) {
                read.push_back({fileName, macro->InnerBoard()});
                if (macro->SubDesign)
                    scratchPanel.RootDesign()->DeselectElement(macro->SubDesign);
                macro->OnWriteInner = nullptr;
                macro->OnReadInner = nullptr;
            }
        } catch (const std::exception&) {
            refused << files[i];
        }
        ProgressBar1->setValue(static_cast<int>(std::nearbyint((i + 1) * 100.0 / files.size())));
    }

    // In a folder of its own: two programs building their palettes at once
    // must not write the same file. The folder goes with its file.
    const QTemporaryDir folder;
    const AnsiString library = QStringToAnsi(
        QDir(folder.isValid() ? folder.path() : QDir::tempPath()).filePath(QStringLiteral("Temp.bib")));
    struct TRemoveFile {
        AnsiString Name;
        ~TRemoveFile() { QFile::remove(QtFileName(Name)); }
    } removeLibrary{library};
    {
        const TFlagScope writing(scratch->WritingLibrary, true);
        TFileStream file(QtFileName(library).toStdString(), TFileMode::fmCreate);
        TWriter writer(file);
        WriteFileHeader(writer, SaveCompiled);
        scratch->WriteObjects(file, writer, false);
        writer.FlushBuffer();
    }
    Bibo->Palette = MainBoard ? MainBoard->BoardPalette : nullptr;
    Bibo->LoadFromFile(library);
    std::size_t k = 0;
    for (TBauteil* entry : Bibo->Entries) {
        auto* macro = dynamic_cast<TMakro*>(entry);
        if (!macro || k >= read.size())
            continue;
        macro->Name = MacroNameOf(read[k].FileName);
        macro->FileName = read[k].FileName;
        macro->SetPinCount(read[k].Inner->MacroPinCount());
        for (Integer pin = 1; pin <= macro->PinCount; ++pin)
            macro->SetPinName(pin, read[k].Inner->MacroPinName(pin));
        macro->LayoutPins();
        ++k;
    }
    Bibo->LayoutEntries();
    Bibo->update();
    MakroPathEdit->setToolTip(AnsiToQString(MacroFolder));
    MakroPathEdit->show();
    if (!refused.isEmpty())
        MessageBox(ByLanguage("Diese Makrodateien sind beschädigt und wurden nicht gelesen:\r"_ansi,
                              "These macro files are damaged and were not read:\r",
                              "Ces fichiers macro sont endommagés et n'ont pas été lus :\r"_ansi) +
                       QStringToAnsi(refused.join(QStringLiteral("\r"))),
                   "Zentrika", MB_OK | MB_ICONERROR);
}

void TForm1::MakroPathEditChange()
{
    const AnsiString text = QStringToAnsi(MakroPathEdit->text());
    if (MakroPathEdit->isHidden() || text.empty() || !DirectoryExists(text))
        return;
    MacroFolder = text;
    MakroPathEdit->setToolTip(MakroPathEdit->text());
    MakroClick();
}

void TForm1::PopupBiboPopup()
{
    if (Bibo->PickedMacro) {
        DeleteMacroName = Bibo->PickedMacro->Name;
        DeleteMacroFile = Bibo->PickedMacro->FileName;
        Del1->setText(Del1->toolTip() + AnsiToQString(DeleteMacroName));
        Del1->setVisible(true);
        Bibo->PickedMacro = nullptr;
    } else {
        Del1->setVisible(false);
    }
}

void TForm1::Del1Click()
{
    if (DeleteMacroFile.empty())
        return;
    const AnsiString question = AnsiString(ByLanguage("Möchten Sie das Makro "_ansi, "OK to delete macro ", "OK pour effacer la macro ")) +
                                "\"" + DeleteMacroName + "\"" + ByLanguage(" wirklich löschen?"_ansi, " ?", " ?");
    const AnsiString caption = ByLanguage("Makro löschen"_ansi, "Delete macro", "Effacer macro");
    if (MessageBox(question, caption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    QFile::remove(QtFileName(ResolvePath(DeleteMacroFile)));
    DeleteMacroFile.clear();
    MakroClick();
}
