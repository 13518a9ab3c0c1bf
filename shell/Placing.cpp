// Placing components: the library pick and drag, the component search's
// placing and the "Create" aid. Every way onto a board runs through the
// board's reader and so through the project's panel links, which pair each
// component with its element.
#include "engine/Bibo.h"
#include "engine/Globals.h"
#include "engine/PanelInterfaces.h"
#include "engine/Platine.h"
#include "engine/PlatineView.h"
#include "platform/AnsiText.h"
#include "platform/ClassRegistry.h"
#include "platform/FileHeader.h"
#include "platform/Stream.h"
#include "project/ProjectFile.h"
#include "shell/EventHook.h"
#include "shell/MainForm.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <memory>
#include <string>

void TForm1::LibraryItemPicked(TBibo* palette)
{
    CurrentBoard->PlacedFromLibrary = true;
    CurrentBoard->PasteFromStream(*palette->PickStream(), FileVersion);
    CurrentDesign->BringSelectionToFront();
}

void TForm1::InstallLibraryDrag()
{
    // A press on the palette picks a component, which then hangs at the
    // pointer over the board. Moves over the board move it; a release over
    // the board places it there as a click there would; a release elsewhere
    // leaves it hanging, to be placed by a click.
    libraryDrag_ = std::make_unique<TEventHook>([this](QObject*, QEvent* event) {
        const bool release = event->type() == QEvent::MouseButtonRelease;
        if (!release && event->type() != QEvent::MouseMove)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (release ? mouse->button() != Qt::LeftButton : !(mouse->buttons() & Qt::LeftButton))
            return false;
        TPlatine* board = CurrentBoard;
        auto* view = board ? dynamic_cast<TPlatineView*>(board->View) : nullptr;
        if (!view || board->Mode != TBoardMode::Placing || !board->Tracking)
            return false;
        QWidget* area = view->viewport();
        const QPointF global = mouse->globalPosition();
        const QPointF at = area->mapFromGlobal(global);
        if (!area->rect().contains(at.toPoint()))
            return true;
        QMouseEvent move(QEvent::MouseMove, at, global, Qt::NoButton, mouse->buttons() | Qt::LeftButton,
                         mouse->modifiers());
        QCoreApplication::sendEvent(area, &move);
        if (release) {
            QMouseEvent up(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, mouse->buttons(), mouse->modifiers());
            QCoreApplication::sendEvent(area, &up);
            FocusBoard();
        }
        return true;
    });
    Bibo->installEventFilter(libraryDrag_.get());
}

void TForm1::PlaceNewObject(const AnsiString& className)
{
    CurrentBoard->SelectAll(false);
    std::unique_ptr<TBauteil> object(CreateLibraryObject(className));
    // Its own stream, not the clipboard: placing keeps what the user copied.
    TMemoryStream stream;
    WritePlacingStream(*object, stream);
    object.reset();
    CurrentBoard->PasteFromStream(stream, FileVersion);
    CurrentDesign->BringSelectionToFront();
    CurrentBoard->Repaint();
}

// ---- The library-building aid: a class placed by its name, to be saved
// with the library save. The window owns it, hidden.

void TForm1::CreateLibraryAid()
{
    CreateCombo = new QComboBox(this);
    CreateCombo->setObjectName("CreateCombo");
    CreateCombo->hide();
    Button1 = new QPushButton(QStringLiteral("Create"), this);
    Button1->setObjectName("Button1");
    Button1->hide();
    connect(Button1, &QPushButton::clicked, this, [this] { Guarded([this] { Button1Click(); }); });
}

void TForm1::FillCreateCombo()
{
    std::vector<AnsiString> names;
    for (const TClassInfo* info : RegisteredClasses())
        names.push_back(info->Name);
    std::sort(names.begin(), names.end(),
              [](const AnsiString& a, const AnsiString& b) { return AnsiCompareText(a, b) < 0; });
    CreateCombo->clear();
    for (const AnsiString& name : names)
        CreateCombo->addItem(AnsiToQString(name));
}

void TForm1::Button1Click()
{
    PlaceNewObject(QStringToAnsi(CreateCombo->currentText()));
}
