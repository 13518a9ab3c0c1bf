#include "panel/framework/Design.h"

#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/ShellHooks.h"
#include "panel/framework/PanelGlobals.h"
#include "panel/framework/Sizer.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "platform/PopupMenu.h"
#include "platform/Stream.h"
#include "platform/TextLanguage.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTabBar>

#include <algorithm>
#include <cmath>

namespace {

// Round half to even, as everywhere in the program.
Integer RoundEven(double value)
{
    return static_cast<Integer>(std::nearbyint(value));
}

// The pop-up menu's items by language; "&&" shows a single "&".
struct TMenuText {
    const char* German;
    const char* English;
    const char* French;
};
constexpr TMenuText MenuTexts[] = {
    {"Eigenschaften...", "Properties...", "Propriétés..."},
    {"Rahmen && Hintergrund...", "Frame && Background...", "Cadre && Fond..."},
    {"Web...", "Web...", "Web..."},
    {"-", "-", "-"},
    {"Nach vorne holen", "To front", "Vers l´avant"},
    {"Nach hinten setzen", "To back", "Vers l´arrière"},
    {"-", "-", "-"},
    {"Neuer Text", "Add label", "Ajouter texte"},
    {"Neue Fläche", "Add shape", "Ajouter forme"},
    {"Neuer Rahmen", "Add frame", "Ajouter cadre"},
    {"Neue Bitmap", "Add bitmap", "Ajouter image"},
    {"Neue Skale", "Add scale", "Ajouter échelle"},
    {"-", "-", "-"},
    {"Löschen", "Delete", "Effacer"},
    {"-", "-", "-"},
    {"Duplizieren", "Dublicate", "Dupliquer"},
    {"-", "-", "-"},
    {"Neue Frontplatte hinzufügen", "Add new front panel", "Ajouter nouveau panneau de contrôle"},
    {"Auf andere Frontplatte setzen...", "Move to front panel...", "Déplacer vers panneau de contrôle..."},
};

// The texts above are UTF-8 source text.
QString MenuCaption(const TMenuText& text)
{
    return QString::fromUtf8(ByLanguage(text.German, text.English, text.French));
}

constexpr const char* DecorationClasses[] = {"TBeschriftung", "TFlaeche", "TRahmen", "TLogo", "TSkale"};

} // namespace

// The rubber band and the resize outline, drawn over the elements with the
// inverting dotted look of the screen drawing they stand for.
class TDesign::TOverlay : public QWidget {
public:
    explicit TOverlay(QWidget* parent) : QWidget(parent)
    {
        setObjectName("DesignOverlay");
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }
    QRect Rubber;    // inclusive rectangles as drawn
    QRect Outline;

    void Refresh()
    {
        const bool any = !Rubber.isNull() || !Outline.isNull();
        setGeometry(parentWidget()->rect());
        setVisible(any);
        if (any)
            raise();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        QPen pen(Qt::black, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        for (const QRect& r : {Rubber, Outline})
            if (!r.isNull())
                painter.drawRect(r.normalized().adjusted(0, 0, -1, -1));
    }
};

// ---- Creation

TDesign::TDesign()
{
    setObjectName("Design");
    setGeometry(0, 0, 60, 90);
    BackgroundFollowsPanel = true;
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    // The container takes the mouse itself; its children pass it on in edit mode.
    TFP_Element::SetMouseTransparent(false);
    overlay_ = new TOverlay(this);
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName("DesignPopup");
    BuildMenu();
    SetisVisible(true);
}

TDesign::~TDesign()
{
    // Elements go back from their frames and the parking panel before the
    // frames and the parking panel go.
    DeselectIndex(-1);
    for (TFP_Element* element : Elements)
        delete element;
    Elements.clear();
}

bool TDesign::IsDecoration(const TFP_Element* element)
{
    const AnsiString name = element->ClassName();
    return std::any_of(std::begin(DecorationClasses), std::end(DecorationClasses),
                       [&](const char* decoration) { return name == decoration; });
}

TFP_Element* TDesign::AddElement(const AnsiString& className)
{
    std::unique_ptr<TPersistent> object(CreateObjectByName(className));
    auto* element = dynamic_cast<TFP_Element*>(object.get());
    // Only element classes make elements; nothing is listed otherwise.
    if (!element)
        throw EClassNotFound(ClassNotFoundMessage(AnsiToQString(className).toStdString()));
    object.release();
    Elements.push_back(element);
    // Its container writes its record into the component's (the board has
    // announced that record already).
    element->OwnerDesign = this;
    element->setParent(this);
    element->setEnabled(!isEditing);
    element->SetMouseTransparent(isEditing);
    element->userEdit = true;
    element->SetFrontplattenNR(AktiveFrontplatte);
    element->SetZOrder(static_cast<Integer>(Elements.size()));
    element->show();
    element->raise();
    if (auto* nested = dynamic_cast<TDesign*>(element))
        nested->isEditing = isEditing;
    return element;
}

void TDesign::RemoveElement(IFP_Element* element)
{
    TFP_Element* own = ElementOf(element);
    if (!own)
        return;
    DeselectElement(own);
    Elements.erase(std::find(Elements.begin(), Elements.end(), own));
    delete own;
}

void TDesign::RemoveDecorations()
{
    DeselectIndex(-1);
    for (std::size_t i = Elements.size(); i-- > 0;)
        if (IsDecoration(Elements[i]))
            RemoveElement(Elements[i]);
}

TFP_Element* TDesign::ElementOf(const IFP_Element* element) const
{
    for (TFP_Element* own : Elements)
        if (static_cast<const IFP_Element*>(own) == element)
            return own;
    return nullptr;
}

Integer TDesign::IndexOfElement(const IFP_Element* element) const
{
    for (std::size_t i = 0; i < Elements.size(); ++i)
        if (static_cast<const IFP_Element*>(Elements[i]) == element)
            return static_cast<Integer>(i);
    return -1;
}

Integer TDesign::IndexOfElement(const TFP_Element* element) const
{
    const auto it = std::find(Elements.begin(), Elements.end(), element);
    return it == Elements.end() ? -1 : static_cast<Integer>(it - Elements.begin());
}

void TDesign::RemoveElement(TFP_Element* element)
{
    if (IndexOfElement(element) >= 0)
        RemoveElement(static_cast<IFP_Element*>(element));
}

bool TDesign::IsSelected(const TFP_Element* element) const
{
    return std::any_of(Selection.begin(), Selection.end(),
                       [element](const TSizer* sizer) { return sizer->ElementEntry == element; });
}

void TDesign::DeselectElement(TFP_Element* element)
{
    if (IsSelected(element))
        DeselectElement(static_cast<IFP_Element*>(element));
}

// ---- Selection

TSizer* TDesign::SizerOf(const IFP_Element* element) const
{
    for (TSizer* sizer : Selection)
        if (static_cast<const IFP_Element*>(sizer->ElementEntry) == element)
            return sizer;
    return nullptr;
}

TFP_Element* TDesign::SelectedElement(std::size_t i) const
{
    return i < Selection.size() ? Selection[i]->ElementEntry : nullptr;
}

bool TDesign::IsSelected(const IFP_Element* element) const
{
    return SizerOf(element) != nullptr;
}

void TDesign::SelectElement(Integer index)
{
    if (index < 0 || index >= static_cast<Integer>(Elements.size()))
        return;
    TFP_Element* element = Elements[index];
    if (IsSelected(element) || element->parentWidget() != this || element->isHidden())
        return;
    auto* sizer = new TSizer(this);
    Selection.push_back(sizer);
    sizer->ElementEntry = element;
    sizer->MachTransparent = [this](TSizer*) { RefreshTransparency(nullptr); };
    sizer->OnChange = [this](TSizer* s) { MoveSelection(s); };
    sizer->OnSetMoving = [this](TSizer* s) { StartMoving(s); };
    sizer->OnResetMoving = [this](TSizer* s) { EndMoving(s); };
    sizer->SetBackground(HintergrundFarbe);
    sizer->setGeometry(element->x() - 6, element->y() - 6, element->width() + 12, element->height() + 12);
    sizer->stackUnder(element);
    const QSize size = element->size();
    element->setParent(sizer);
    element->setGeometry(6, 6, size.width(), size.height());
    element->show();
    sizer->show();
    sizer->CalcHandles();
    UpdateSizeable();
    update();
}

void TDesign::DeselectIndex(Integer index)
{
    if (index >= static_cast<Integer>(Selection.size()))
        return;
    const std::size_t first = index < 0 ? 0 : static_cast<std::size_t>(index);
    const std::size_t last = index < 0 ? Selection.size() : first + 1;
    for (std::size_t i = first; i < last; ++i) {
        TSizer* sizer = Selection[i];
        TFP_Element* element = sizer->ElementEntry;
        const QSize size = element->size();
        element->setParent(this);
        element->setGeometry(sizer->x() + 6, sizer->y() + 6, size.width(), size.height());
        element->stackUnder(sizer);
        element->show();
        // The frame may be inside its own mouse handler: it goes later.
        sizer->ElementEntry = nullptr;
        sizer->hide();
        sizer->deleteLater();
    }
    Selection.erase(Selection.begin() + static_cast<std::ptrdiff_t>(first),
                    Selection.begin() + static_cast<std::ptrdiff_t>(last));
    UpdateSizeable();
    overlay_->Outline = QRect();
    overlay_->Refresh();
    update();
}

void TDesign::DeselectElement(IFP_Element* element)
{
    for (std::size_t i = 0; i < Selection.size(); ++i)
        if (static_cast<IFP_Element*>(Selection[i]->ElementEntry) == element) {
            DeselectIndex(static_cast<Integer>(i));
            return;
        }
}

void TDesign::UpdateSizeable()
{
    for (TSizer* sizer : Selection)
        sizer->SetSizeable(Selection.size() == 1);
}

bool TDesign::SizerHitRequest(TFP_Element* element, QPoint containerPoint)
{
    const Integer hit = HitTest(containerPoint);
    if (hit < 0 || IsSelected(Elements[hit]))
        return false;
    DeselectElement(element);
    SelectElement(hit);
    return true;
}

void TDesign::SizerDeselectRequest(TFP_Element* element)
{
    DeselectElement(element);
}

Integer TDesign::HitTest(QPoint point) const
{
    for (std::size_t i = Elements.size(); i-- > 0;) {
        const TFP_Element* element = Elements[i];
        QRect r;
        if (const TSizer* sizer = SizerOf(element))
            r = sizer->geometry();
        else if (element->parentWidget() == this)
            r = element->geometry();
        else
            continue;
        // Edges included.
        if (point.x() >= r.left() && point.x() <= r.left() + r.width() && point.y() >= r.top() &&
            point.y() <= r.top() + r.height())
            return static_cast<Integer>(i);
    }
    return -1;
}

// ---- Mouse in edit mode

namespace {

// A mouse event of the container passed on to one of its frames.
void ForwardMouse(QWidget* frame, QWidget* container, QMouseEvent* event)
{
    QMouseEvent forwarded(event->type(), frame->mapFrom(container, event->position()), event->globalPosition(),
                          event->button(), event->buttons(), event->modifiers(), event->pointingDevice());
    // The device keeps the time of its last press for telling double clicks:
    // a forwarded press without the original's time would spoil the next one.
    forwarded.setTimestamp(event->timestamp());
    QCoreApplication::sendEvent(frame, &forwarded);
}

} // namespace


void TDesign::mousePressEvent(QMouseEvent* event)
{
    if (!isEditing)
        return;
    const QPoint p = event->position().toPoint();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const Integer hit = HitTest(p);
    // A plain press on an element selects it and passes the press on to its
    // new frame, so that it is selected and moved in one go (the frame takes
    // the undo snapshot then).
    const bool passOn = hit >= 0 && !shift && event->button() == Qt::LeftButton;
    if (!passOn && ProjectModified && ShellHooks.TakeSnapshot)
        ShellHooks.TakeSnapshot();
    if (hit >= 0) {
        if (!shift)
            DeselectIndex(-1);
        SelectElement(hit);
        if (passOn) {
            pressedFrame_ = SizerOf(Elements[static_cast<std::size_t>(hit)]);
            if (pressedFrame_)
                ForwardMouse(pressedFrame_, this, event);
            else if (ProjectModified && ShellHooks.TakeSnapshot)
                ShellHooks.TakeSnapshot();
        }
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (!Selection.empty() && !shift) {
        DeselectIndex(-1);
        RefreshTransparency(nullptr);
    }
    rubberStart_ = p;
    rubberDragging_ = true;
    RubberRect = QRect(p, p);
}

void TDesign::mouseMoveEvent(QMouseEvent* event)
{
    if (pressedFrame_ && (event->buttons() & Qt::LeftButton)) {
        ForwardMouse(pressedFrame_, this, event);
        return;
    }
    ContainerMouseMove(event->position().toPoint(), event->buttons());
}

void TDesign::ContainerMouseMove(QPoint point, Qt::MouseButtons buttons)
{
    if (!isEditing)
        return;
    if ((buttons & Qt::LeftButton) && rubberDragging_) {
        // The pointer stays inside the client area, 2 from the top and left, 4 from the other edges.
        const QPoint p(std::clamp(point.x(), 2, std::max(2, width() - 4)),
                       std::clamp(point.y(), 2, std::max(2, height() - 4)));
        RubberRect = QRect(rubberStart_, p);
        RubberShown = true;
        const QRect r = RubberRect.normalized();
        overlay_->Rubber = QRect(QPoint(r.left() - 1, r.top() - 1), QPoint(r.right() + 1, r.bottom() + 1));
        overlay_->Refresh();
        return;
    }
    if (buttons != Qt::NoButton)
        return;
    const bool busy = std::any_of(Selection.begin(), Selection.end(), [](const TSizer* s) {
        return s->Moving || s->ActiveHandle != 0 || s->OverHandle;
    });
    const Integer hit = HitTest(point);
    if (busy || hit < 0) {
        RequestHint(nullptr);
        return;
    }
    const TFP_Element* element = Elements[hit];
    const AnsiString text = element->isHidden() ? AnsiString() : element->Hint() + " " + element->ElementName();
    if (text != " ")
        RequestHint(&text);
}

void TDesign::RequestHint(const AnsiString* text)
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* window = dynamic_cast<IPanelHintWindow*>(w)) {
            window->ShowHintText(text);
            return;
        }
}

void TDesign::mouseReleaseEvent(QMouseEvent* event)
{
    if (!isEditing || event->button() == Qt::RightButton)
        return;
    if (pressedFrame_ && event->button() == Qt::LeftButton) {
        QPointer<QWidget> frame = pressedFrame_;
        pressedFrame_ = nullptr;
        ForwardMouse(frame, this, event);
        return;
    }
    pressedFrame_ = nullptr;
    if (RubberShown) {
        const QRect r = RubberRect.normalized();
        RubberShown = false;
        overlay_->Rubber = QRect();
        overlay_->Refresh();
        // Every element the band touches, in list order.
        for (std::size_t i = 0; i < Elements.size(); ++i) {
            const QRect e = Elements[i]->geometry();
            if (Elements[i]->parentWidget() == this && std::max(e.left(), r.left()) < std::min(e.left() + e.width(), r.left() + r.width()) &&
                std::max(e.top(), r.top()) < std::min(e.top() + e.height(), r.top() + r.height()))
                SelectElement(static_cast<Integer>(i));
        }
    }
    rubberDragging_ = false;
}

void TDesign::keyPressEvent(QKeyEvent* event)
{
    if (!isEditing || Selection.empty()) {
        TFP_Element::keyPressEvent(event);
        return;
    }
    const Integer step = (event->modifiers() & Qt::ControlModifier) ? 1 : GridSize;
    switch (event->key()) {
    case Qt::Key_Left: MoveSelectionBy(-step, 0); break;
    case Qt::Key_Right: MoveSelectionBy(step, 0); break;
    case Qt::Key_Up: MoveSelectionBy(0, -step); break;
    case Qt::Key_Down: MoveSelectionBy(0, step); break;
    default: TFP_Element::keyPressEvent(event); return;
    }
}

void TDesign::resizeEvent(QResizeEvent* event)
{
    TFP_Element::resizeEvent(event);
    overlay_->Refresh();
}

void TDesign::ShowOutline(const QRect& outline)
{
    overlay_->Outline = outline;
    overlay_->Refresh();
}

// ---- Moving the selection

void TDesign::StartMoving(TSizer*)
{
    MovedDuringDrag = false;
    for (TSizer* sizer : Selection) {
        sizer->Moving = true;
        sizer->update();
    }
    ElementCascade = {32, 32};
}

void TDesign::MoveSelection(TSizer* sizer)
{
    if (!sizer->Moving)
        return;
    Integer dx = sizer->Offset.x();
    Integer dy = sizer->Offset.y();
    for (const TSizer* s : Selection) {
        if (s->x() + dx < -6)
            dx = -s->x() - 6;
        if (s->y() + dy < -6)
            dy = -s->y() - 6;
        if (s->x() + s->width() + dx > width() + 6)
            dx = 0;
        if (s->y() + s->height() + dy > height() + 6)
            dy = 0;
    }
    if (dx == 0 && dy == 0)
        return;
    ProjectModified = true;
    MovedDuringDrag = true;
    for (TSizer* s : Selection) {
        s->move(s->x() + dx, s->y() + dy);
        TFP_Element* element = s->ElementEntry;
        // Off the grid the picture beneath changes: take it again.
        const bool offGrid = (dx != 0 && dx != GridSize) || (dy != 0 && dy != GridSize);
        if (element->GetBisteTransparent() && offGrid) {
            element->hide();
            s->repaint();
            element->GrabBackground();
            element->show();
        }
    }
    for (TFP_Element* element : Elements)
        element->update();
}

void TDesign::MoveSelectionBy(Integer dx, Integer dy)
{
    if (Selection.empty())
        return;
    TSizer* first = Selection.front();
    first->Offset = QPoint(dx, dy);
    const bool moving = first->Moving;
    first->Moving = true;
    MoveSelection(first);
    first->Moving = moving;
    RefreshTransparency(nullptr);
}

void TDesign::EndMoving(TSizer*)
{
    for (TSizer* sizer : Selection) {
        sizer->Moving = false;
        sizer->update();
    }
    if (MovedDuringDrag) {
        RefreshTransparency(nullptr);
        MovedDuringDrag = false;
    }
}

// ---- Alignment

void TDesign::AlignSelection(Integer kind)
{
    if (Selection.empty() || kind < 0 || kind > 5)
        return;
    if (Selection.size() == 1) {
        if (GridSize < 2)
            return;
        TFP_Element* e = Selection.front()->ElementEntry;
        DeselectIndex(0);
        const double g = GridSize;
        Integer left = e->x(), top = e->y();
        const Integer w = e->width(), h = e->height();
        switch (kind) {
        case 0: left = RoundEven(left / g) * GridSize; break;
        case 1: left = RoundEven((left + w) / g) * GridSize - w; break;
        case 2: top = RoundEven(top / g) * GridSize; break;
        case 3: top = RoundEven((top + h) / g) * GridSize - h; break;
        case 4: left = RoundEven((left + w / 2.0) / g) * GridSize - RoundEven(w / 2.0); break;
        case 5: top = RoundEven((top + h / 2.0) / g) * GridSize - RoundEven(h / 2.0); break;
        }
        e->move(left, top);
        RefreshTransparency(nullptr);
        SelectElement(IndexOfElement(e));
        return;
    }
    TFP_Element* reference = Selection.back()->ElementEntry;
    DeselectIndex(static_cast<Integer>(Selection.size()) - 1);
    const Integer v = std::array<Integer, 6>{reference->x(),
                                             reference->x() + reference->width(),
                                             reference->y(),
                                             reference->y() + reference->height(),
                                             reference->x() + reference->width() / 2,
                                             reference->y() + reference->height() / 2}[kind];
    while (!Selection.empty()) {
        TFP_Element* e = Selection.front()->ElementEntry;
        DeselectIndex(0);
        switch (kind) {
        case 0: e->move(v, e->y()); break;
        case 1: e->move(v - e->width(), e->y()); break;
        case 2: e->move(e->x(), v); break;
        case 3: e->move(e->x(), v - e->height()); break;
        case 4: e->move(v - e->width() / 2, e->y()); break;
        case 5: e->move(e->x(), v - e->height() / 2); break;
        }
    }
    RefreshTransparency(nullptr);
}

// ---- Stacking order

void TDesign::RenumberZOrder()
{
    for (std::size_t i = 0; i < Elements.size(); ++i)
        Elements[i]->SetZOrder(static_cast<Integer>(i + 1));
}

void TDesign::SortByZOrder()
{
    std::stable_sort(Elements.begin(), Elements.end(),
                     [](const TFP_Element* a, const TFP_Element* b) { return a->ZOrder() < b->ZOrder(); });
    for (TFP_Element* element : Elements) {
        if (TSizer* sizer = SizerOf(element))
            sizer->raise();
        else
            element->raise();
    }
    overlay_->Refresh();
}

void TDesign::BringSelectionToFront()
{
    std::vector<TFP_Element*> selected, rest;
    for (TFP_Element* element : Elements)
        (IsSelected(element) ? selected : rest).push_back(element);
    for (TFP_Element* element : selected) {
        rest.push_back(element);
        SizerOf(element)->raise();
    }
    Elements = rest;
    RenumberZOrder();
    overlay_->Refresh();
}

void TDesign::SendSelectionToBack()
{
    std::vector<TFP_Element*> selected, rest;
    for (TFP_Element* element : Elements)
        (IsSelected(element) ? selected : rest).push_back(element);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
        SizerOf(*it)->lower();
    selected.insert(selected.end(), rest.begin(), rest.end());
    Elements = selected;
    RenumberZOrder();
}

// ---- Pages

bool TDesign::IsTopContainer() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (dynamic_cast<TDesign*>(w))
            return false;
    return true;
}

QWidget* TDesign::ParkingPanel()
{
    if (HiddenPanel)
        return HiddenPanel;
    if (!IsTopContainer())
        return nullptr;
    if (!ownHiddenPanel_) {
        ownHiddenPanel_ = std::make_unique<QWidget>();
        ownHiddenPanel_->setObjectName("HiddenPanel");
    }
    return ownHiddenPanel_.get();
}

void TDesign::SetAktiveFrontplatte(Integer page)
{
    AktiveFrontplatte = page;
    for (TFP_Element* element : Elements)
        if (auto* nested = dynamic_cast<TDesign*>(element))
            nested->SetAktiveFrontplatte(page);
    if (IsTopContainer())
        PlaceOnPages();
}

void TDesign::PlaceOnPages()
{
    QWidget* parking = ParkingPanel();
    for (std::size_t i = Elements.size(); i-- > 0;) {
        TFP_Element* element = Elements[i];
        if (element->FrontplattenNR() != AktiveFrontplatte && element->parentWidget() != parking) {
            DeselectElement(element);
            const QPoint at = element->pos();
            element->setParent(parking);
            element->move(at);
            element->show();
        }
    }
    for (TFP_Element* element : Elements)
        if (element->FrontplattenNR() == AktiveFrontplatte && element->parentWidget() == parking) {
            const QPoint at = element->pos();
            element->setParent(this);
            element->move(at);
            element->show();
        }
    SortByZOrder();
}

void TDesign::SetFrontplattenNR(Integer page)
{
    TFP_Element::SetFrontplattenNR(page);
    for (TFP_Element* element : Elements)
        element->SetFrontplattenNR(page);
}

void TDesign::MoveSelectionToPanel(Integer page)
{
    for (TSizer* sizer : Selection)
        sizer->ElementEntry->SetFrontplattenNR(page);
    DeselectIndex(-1);
}

AnsiString TDesign::GetPanelCaption() const
{
    const Integer tabs = PageTabs ? PageTabs->count() : 0;
    return QStringToAnsi(QString::fromUtf8(ByLanguage("Frontplatte ", "Front panel ", "Panneau de contrôle "))) +
           std::to_string(tabs + 1);
}

// ---- Nested containers

bool TDesign::HasOnlySubPanels() const
{
    return std::all_of(Elements.begin(), Elements.end(), [](const TFP_Element* element) {
        const auto* nested = dynamic_cast<const TDesign*>(element);
        return nested && nested->HasOnlySubPanels();
    });
}

void TDesign::SetisVisible(bool visible)
{
    Shown = visible;
    setVisible(visible);
    for (TFP_Element* element : Elements)
        if (auto* nested = dynamic_cast<TDesign*>(element))
            nested->SetisVisible(visible && !nested->HasOnlySubPanels());
}

TRect TDesign::GetContentBounds()
{
    DeselectIndex(-1);
    if (Elements.empty())
        return {};
    TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const TFP_Element* e : Elements) {
        r.Left = std::min(r.Left, e->x());
        r.Top = std::min(r.Top, e->y());
        r.Right = std::max(r.Right, e->x() + e->width());
        r.Bottom = std::max(r.Bottom, e->y() + e->height());
    }
    return r;
}

// ---- Edit mode and transparency

void TDesign::SetisEditing(bool editing)
{
    isEditing = editing;
    if (!editing)
        DeselectIndex(-1);
    for (TFP_Element* element : Elements) {
        element->setEnabled(!editing);
        element->userEdit = editing;
        element->SetMouseTransparent(editing);
        if (auto* nested = dynamic_cast<TDesign*>(element))
            nested->TFP_Element::SetMouseTransparent(false);
    }
}

void TDesign::RefreshTransparency(IFP_Element*)
{
    for (TFP_Element* element : Elements)
        if (element->GetBisteTransparent()) {
            if (TSizer* sizer = SizerOf(element))
                sizer->hide();
            else
                element->hide();
        }
    repaint();
    for (TFP_Element* element : Elements) {
        if (element->GetBisteTransparent()) {
            element->GrabBackground();
            if (TSizer* sizer = SizerOf(element))
                sizer->show();
            else if (element->FrontplattenNR() == AktiveFrontplatte || element->parentWidget() != this)
                element->show();
            repaint();
        }
        if (auto* nested = dynamic_cast<TDesign*>(element))
            nested->RefreshTransparency(nullptr);
    }
}

// ---- Painting

void TDesign::Paint(TCanvas& canvas)
{
    TFP_Element::Paint(canvas);
    const QWidget* parent = parentWidget();
    if (!GridVisible || GridSize < 2 || dynamic_cast<const TDesign*>(parent) || dynamic_cast<const TSizer*>(parent) ||
        RunOnlyMode || SimulationRunning)
        return;
    QPainter& painter = *canvas.Painter();
    const QColor color = ColorToQColor(GridColor);
    const Integer ox = -(x() % GridSize);
    const Integer oy = -(y() % GridSize);
    for (Integer i = 0; i <= width() / GridSize + 1; ++i)
        PixelLine(painter, i * GridSize + ox, 0, i * GridSize + ox, height(), color);
    for (Integer i = 0; i <= height() / GridSize + 1; ++i)
        PixelLine(painter, 0, i * GridSize + oy, width(), i * GridSize + oy, color);
}

// ---- Recursion into the children

void TDesign::ResetToDefault()
{
    for (TFP_Element* element : Elements)
        element->ResetToDefault();
}

void TDesign::ClearContents()
{
    for (TFP_Element* element : Elements)
        element->ClearContents();
}

namespace {

AnsiString ChildPrefix(const AnsiString& prefix, const AnsiString& name)
{
    return name.empty() ? prefix : prefix + "." + name;
}

} // namespace

void TDesign::SaveState(TCustomIniFile& file, const AnsiString& prefix)
{
    const AnsiString inner = ChildPrefix(prefix, ElementName());
    for (std::size_t i = Elements.size(); i-- > 0;)
        Elements[i]->SaveState(file, inner);
}

bool TDesign::LoadState(TCustomIniFile& file, const AnsiString& prefix, bool checkOnly)
{
    const AnsiString inner = ChildPrefix(prefix, ElementName());
    bool all = true;
    for (std::size_t i = Elements.size(); i-- > 0;)
        all = Elements[i]->LoadState(file, inner, checkOnly) && all;
    return all;
}

bool TDesign::MatchFullName(const AnsiString& prefix, const AnsiString& section)
{
    FullName = ChildPrefix(prefix, ElementName());
    bool any = false;
    for (std::size_t i = Elements.size(); i-- > 0;)
        any = Elements[i]->MatchFullName(FullName, section) || any;
    return any;
}

void TDesign::HotkeyDown(Word key, Byte shift)
{
    for (std::size_t i = Elements.size(); i-- > 0;)
        Elements[i]->HotkeyDown(key, shift);
}

void TDesign::HotkeyUp(Word key, Byte shift)
{
    for (std::size_t i = Elements.size(); i-- > 0;)
        Elements[i]->HotkeyUp(key, shift);
}

bool TDesign::GetPublish() const
{
    return OnProperties != nullptr ||
           std::any_of(Elements.begin(), Elements.end(), [](const TFP_Element* e) { return e->GetPublish(); });
}

// ---- The design block and element records

void TDesign::WriteElement(IFP_Element* element, TStream& stream, TWriter& writer)
{
    TFP_Element* own = ElementOf(element);
    if (!own)
        return;
    // A selected element is written in container coordinates.
    TSizer* sizer = SizerOf(own);
    if (sizer)
        own->move(sizer->x() + 6, sizer->y() + 6);
    writer.WriteInteger(own->x());
    writer.WriteInteger(own->y());
    try {
        own->WriteData(stream, writer);
    } catch (...) {
        if (sizer)
            own->move(6, 6);
        throw;
    }
    if (sizer)
        own->move(6, 6);
}

void TDesign::ReadElement(IFP_Element* element, TStream& stream, TReader& reader, Byte version)
{
    TFP_Element* own = ElementOf(element);
    if (!own)
        return;
    DeselectElement(own);
    const Integer left = std::clamp(reader.ReadInteger(), -MaxElementPosition, MaxElementPosition);
    const Integer top = std::clamp(reader.ReadInteger(), -MaxElementPosition, MaxElementPosition);
    own->move(left, top);
    own->ReadData(stream, reader, version);
    if (!dynamic_cast<TFileStream*>(&stream))
        own->SetFrontplattenNR(newElementPage_);
    if (own->FrontplattenNR() != AktiveFrontplatte && IsTopContainer() && own->parentWidget() == this)
        PlaceOnPages();
}

void TDesign::WriteToStream(TStream& stream, TWriter& writer)
{
    std::vector<TFP_Element*> decorations;
    for (TFP_Element* element : Elements)
        if (IsDecoration(element))
            decorations.push_back(element);
    writer.WriteInteger(static_cast<Integer>(decorations.size()));
    for (TFP_Element* element : decorations) {
        writer.WriteString(element->ClassName());
        WriteElement(element, stream, writer);
    }
    WriteLook(writer);
    WriteWebTail(writer);
}

void TDesign::ReadFromStream(TStream& stream, TReader& reader, Byte version)
{
    const Integer count = reader.ReadInteger();
    // Each decoration takes bytes of the stream: a count larger than the
    // stream ends with its read error.
    for (Integer i = 0; i < count; ++i) {
        const AnsiString className = reader.ReadString();
        // Only decorations are stored here; any other element would lack its
        // component and be lost at the next save.
        const AnsiString upper = AnsiUpperCase(className);
        if (std::none_of(std::begin(DecorationClasses), std::end(DecorationClasses),
                         [&](const char* decoration) { return upper == AnsiUpperCase(decoration); }))
            throw EReadError("Kein Dekorationselement: " + AnsiToQString(className).toStdString());
        TFP_Element* element = AddElement(className);
        ReadElement(element, stream, reader, version);
    }
    if (version < 40)
        return;
    ReadLook(reader);
    ReadWebTail(reader, version);
}

// ---- The pop-up menu

void TDesign::BuildMenu()
{
    for (std::size_t i = 0; i < std::size(MenuTexts); ++i) {
        if (std::string_view(MenuTexts[i].German) == "-") {
            menuItems_.push_back(PopupMenu->addSeparator());
            continue;
        }
        // The page items are made anew at each pop-up (root only).
        if (i >= 17) {
            menuItems_.push_back(nullptr);
            continue;
        }
        QAction* item = PopupMenu->addAction(MenuCaption(MenuTexts[i]));
        item->setObjectName(QString("DesignMenu%1").arg(i));
        menuItems_.push_back(item);
    }
    auto on = [this](std::size_t i, std::function<void()> action) {
        connect(menuItems_[i], &QAction::triggered, this, [action = std::move(action)] { action(); });
    };
    on(0, [this] { PopupProperties(); });
    on(1, [this] { PopupPanelLook(); });
    on(2, [this] { PopupWebSettings(); });
    on(4, [this] { BringSelectionToFront(); });
    on(5, [this] { SendSelectionToBack(); });
    on(7, [this] { AddDecoration("TBeschriftung"); });
    on(8, [this] { AddDecoration("TFlaeche"); });
    on(9, [this] { AddDecoration("TRahmen"); });
    on(10, [this] { AddDecoration("TLogo"); });
    on(11, [this] { AddDecoration("TSkale"); });
    on(13, [this] { DeleteSelection(); });
    on(15, [this] { DuplicateSelection(); });
}

void TDesign::PrepareMenu()
{
    for (std::size_t i = 0; i < menuItems_.size(); ++i)
        if (menuItems_[i] && !menuItems_[i]->isSeparator())
            menuItems_[i]->setText(MenuCaption(MenuTexts[i]));
    const std::size_t n = Selection.size();
    bool sameClass = true;
    for (std::size_t i = 1; i < n; ++i)
        sameClass = sameClass && std::string_view(SelectedElement(i)->ClassName()) == SelectedElement(0)->ClassName();
    const bool containerSelected = n > 0 && dynamic_cast<TDesign*>(SelectedElement(0));
    menuItems_[0]->setEnabled(n == 0 || (sameClass && !containerSelected));
    menuItems_[1]->setEnabled(n < 2);
    menuItems_[2]->setEnabled(n == 1 && SelectedElement(0)->CanPublish());
    menuItems_[4]->setEnabled(n > 0);
    menuItems_[5]->setEnabled(n > 0);
    bool allDecorations = n > 0;
    for (std::size_t i = 0; i < n; ++i)
        allDecorations = allDecorations && IsDecoration(SelectedElement(i));
    menuItems_[13]->setEnabled(allDecorations);
    menuItems_[15]->setEnabled(allDecorations);

    // The page items of the previous pop-up go, the submenu with its item
    // (they go later: this may run while one of them is being triggered).
    for (QAction* action : PopupMenu->actions())
        if (action->objectName() == "NEUEFP" || action->objectName() == "FPLSUB") {
            PopupMenu->removeAction(action);
            action->setObjectName(QString());
            if (QMenu* sub = action->menu())
                sub->deleteLater();
            else
                action->deleteLater();
        }
    if (!PageTabs)
        return;
    QAction* newPage = PopupMenu->addAction(MenuCaption(MenuTexts[17]));
    newPage->setObjectName("NEUEFP");
    connect(newPage, &QAction::triggered, this, [this] {
        AddPageTab();
        if (OnPageTabsChanged)
            OnPageTabsChanged();
    });
    auto* sub = new QMenu(MenuCaption(MenuTexts[18]), PopupMenu);
    QAction* subItem = PopupMenu->addMenu(sub);
    subItem->setObjectName("FPLSUB");
    subItem->setEnabled(n > 0 && IsRootPanel);
    QAction* toNew = sub->addAction(MenuCaption(MenuTexts[17]));
    toNew->setData(-2);
    sub->addSeparator()->setData(-1);
    for (int page = 0; page < PageTabs->count(); ++page)
        sub->addAction(PageTabs->tabText(page))->setData(page);
    connect(sub, &QMenu::triggered, this, [this](QAction* action) {
        const int tag = action->data().toInt();
        if (tag == -1)
            return;
        if (tag == -2) {
            MoveSelectionToPanel(PageTabs->count());
            AddPageTab();
        } else {
            MoveSelectionToPanel(tag);
            PageTabs->setCurrentIndex(tag);
        }
        if (OnPageTabsChanged)
            OnPageTabsChanged();
    });
}

void TDesign::AddPageTab()
{
    PageTabs->addTab(AnsiToQString(GetPanelCaption()));
    PageTabs->setCurrentIndex(PageTabs->count() - 1);
}

void TDesign::contextMenuEvent(QContextMenuEvent* event)
{
    if (!isEditing)
        return;
    PrepareMenu();
    PopupMenuAt(*PopupMenu, event->globalPos());
}

void TDesign::PopupProperties()
{
    if (Selection.empty()) {
        if (OnProperties)
            OnProperties();
        return;
    }
    TFP_Element* first = SelectedElement(0);
    first->ApplyAspectRatio();
    first->update();
    const Integer result = first->EditProperties();
    if (result == 1 && Selection.size() > 1 &&
        MessageBox(Translate("Sämtliche Eigenschaften für gewählte Objekte übernehmen?"_ansi),
                   Translate("Eigenschaften"), MB_YESNO | MB_ICONQUESTION) == IDYES) {
        TMemoryStream copy;
        {
            TWriter writer(copy);
            first->WriteData(copy, writer);
            writer.FlushBuffer();
        }
        for (std::size_t i = 1; i < Selection.size(); ++i) {
            copy.SetPosition(0);
            TReader reader(copy);
            SelectedElement(i)->ReadData(copy, reader, 255);
            SelectedElement(i)->ApplyAspectRatio();
            SelectedElement(i)->update();
        }
    }
    DeselectIndex(-1);
}

void TDesign::PopupPanelLook()
{
    if (Selection.empty()) {
        EditPanelLook();
        return;
    }
    TFP_Element* first = SelectedElement(0);
    first->EditPanelLook();
    first->ApplyAspectRatio();
    // The frame keeps its 6 pixels around the element.
    Selection.front()->resize(first->width() + 12, first->height() + 12);
    Selection.front()->CalcHandles();
    RefreshTransparency(nullptr);
    first->update();
}

void TDesign::PopupWebSettings()
{
    if (Selection.size() != 1)
        return;
    TFP_Element* edited = SelectedElement(0);
    edited->ApplyAspectRatio();
    edited->update();
    edited->AddWebPage();
    if (edited->EditWebSettings() == 1) {
        // The edited element takes its place; the ones from there on move back.
        for (TFP_Element* element : Elements)
            if (element != edited && element->WebSortOrder >= edited->WebSortOrder)
                ++element->WebSortOrder;
        // The web order is numbered without touching the stacking order.
        std::vector<TFP_Element*> byWebOrder = Elements;
        std::stable_sort(byWebOrder.begin(), byWebOrder.end(), [](const TFP_Element* a, const TFP_Element* b) {
            return a->WebSortOrder < b->WebSortOrder;
        });
        Integer number = 0;
        for (TFP_Element* element : byWebOrder)
            if (element->GetPublish())
                element->WebSortOrder = ++number;
    }
    DeselectIndex(-1);
}

void TDesign::AddDecoration(const char* className)
{
    AddElement(className);
    ProjectModified = true;
}

void TDesign::DeleteSelection()
{
    if (ShellHooks.TakeSnapshot)
        ShellHooks.TakeSnapshot();
    while (!Selection.empty())
        RemoveElement(SelectedElement(0));
    ProjectModified = true;
}

void TDesign::DuplicateSelection()
{
    if (ShellHooks.TakeSnapshot)
        ShellHooks.TakeSnapshot();
    while (!Selection.empty()) {
        TFP_Element* source = SelectedElement(0);
        DeselectIndex(0);
        TFP_Element* copy = AddElement(source->ClassName());
        TMemoryStream record;
        {
            TWriter writer(record);
            source->WriteData(record, writer);
            writer.FlushBuffer();
        }
        record.SetPosition(0);
        {
            TReader reader(record);
            copy->ReadData(record, reader, 255);
        }
        copy->move(source->x() + 4, source->y() + 4);
        BringSelectionToFront();
    }
    ProjectModified = true;
}

AnsiString FileTitleUpper(const AnsiString& fileName)
{
    AnsiString name = fileName;
    if (const auto slash = name.find_last_of("/\\"); slash != AnsiString::npos)
        name.erase(0, slash + 1);
    if (const auto dot = name.rfind('.'); dot != AnsiString::npos)
        name.erase(dot);
    return AnsiUpperCase(name);
}
