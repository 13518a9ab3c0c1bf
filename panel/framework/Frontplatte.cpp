// The front-panel window: creation, panels and pages, edit and run mode, the
// frame, tools, keys, hint box, auto-hide and closing, the property dialog,
// copying and printing. The project-file block and the settings files have
// files of their own.
#include "panel/framework/Frontplatte.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/HelpBinding.h"
#include "engine/Hotkey.h"
#include "engine/Language.h"
#include "engine/TermTable.h"
#include "panel/framework/FrontplatteGlobals.h"
#include "panel/framework/HintBox.h"
#include "panel/framework/PanelGlobals.h"
#include "panel/framework/PreviewDlg.h"
#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "platform/HtmlHelp.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QScrollBar>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <cmath>

std::function<void(QPrinter&)> PanelPrinterSetup;

namespace {

AnsiString Utf8(const char* text)
{
    return QStringToAnsi(QString::fromUtf8(text));
}

AnsiString T(const char* german)
{
    return Translate(Utf8(german));
}

QString Q(const AnsiString& text)
{
    return AnsiToQString(text);
}

AnsiString PanelTitleByLanguage()
{
    return Utf8(ByLanguage("Frontplatte", "Front panel", "Panneau de contrôle"));
}

Integer Round(double value)
{
    return static_cast<Integer>(std::nearbyint(value));
}

// The virtual-key codes of the keys the window handles itself.
constexpr Word VK_ESCAPE_ = 27;
constexpr Word VK_LEFT_ = 37;
constexpr Word VK_UP_ = 38;
constexpr Word VK_RIGHT_ = 39;
constexpr Word VK_DOWN_ = 40;
constexpr Word VK_F1_ = 112;
constexpr Word VK_F9_ = 120;

} // namespace

TPanelBorder ComputeBorderStyle(const TPanelBorderOptions& o)
{
    const bool operated = o.RunMode || o.RunOnly;
    const bool editing = !o.RunMode && !o.RunOnly;
    if (o.FullScreen && operated)
        return TPanelBorder::None;
    if (o.ToolTitel && !o.Skalierbar && operated)
        return TPanelBorder::ToolWindow;
    if (o.ToolTitel && (o.Skalierbar || editing))
        return TPanelBorder::SizeToolWin;
    if (editing || (o.RunMode && o.Skalierbar))
        return TPanelBorder::Sizeable;
    return TPanelBorder::Single;
}

bool BorderHasMinMax(const TPanelBorderOptions& o)
{
    const bool editing = !o.RunMode && !o.RunOnly;
    return (o.Skalierbar && !o.FullScreen) || editing;
}

double PrintScaleOfZoom(Integer zoom)
{
    return std::pow(10.0, (200.0 - zoom) / 100.0) / 10.0;
}

// ---- Creation

TFrontplatte::TFrontplatte(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("Frontplatte");
    // The grid and the panel colour are the program's (a project read into a
    // new window keeps them); the window's buttons follow them.
    CreateControls();
    TranslateCaptions();
    FullScreen = false;
    ShowSaveBtn = ShowOpenBtn = ShowDlgBtn = ShowPrintBtn = ShowCopyBtn = true;
    ShowHintBtn = ShowInternalBtn = false;
    ShowHints = true;

    Root = std::make_unique<TDesign>();
    Root->setParent(ScrollBox);
    Root->IsRootPanel = true;
    Root->WebTitle = false;
    Root->PageTabs = TabControl1;
    Root->HiddenPanel = HiddenPanel;
    Root->SetisEditing(true);
    Root->SetElementName(Title);
    Root->OnPageTabsChanged = [this] { TabControl1Change(); };
    if (!PanelWindow)
        WebPanelPrefix = Title;
    Shown = Root.get();

    while (TabControl1->count() > 0)
        TabControl1->removeTab(0);
    TabControl1->addTab(Q(Root->GetPanelCaption()));

    HintBox = new THintBox(ScrollBox);
    HintBox->setObjectName("HintBox");
    HintBox->hide();
    SetWindowBounds(QRect(NewLeft, NewTop, NewClientWidth, NewClientHeight));
    NormalBounds = WindowBounds();

    SetRunMode(false);
    ShowPanel(Root.get());
    // The loader reaches whichever window the program shows at the time.
    SettingsLoader = [](const AnsiString& fileName) {
        if (auto* window = dynamic_cast<TFrontplatte*>(PanelWindow))
            window->LoadSettingsFile(fileName);
    };
    ToolbarMode = 0;
    ShowGridSize();
    qApp->installEventFilter(this);
}

TFrontplatte::~TFrontplatte()
{
    qApp->removeEventFilter(this);
    // The elements go before the controls they may be parked in.
    Shown = nullptr;
    PreviousDesign = nullptr;
    Root.reset();
    if (PanelWindow == this)
        PanelWindow = nullptr;
}

void TFrontplatte::CreateControls()
{
    auto* layout = new QVBoxLayout(this);
    // The window keeps the size it is given, however many tools it shows.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    NewToolPanel = new QWidget(this);
    NewToolPanel->setObjectName("NewToolPanel");
    NewToolPanel->setFixedHeight(25);
    auto* top = new QHBoxLayout(NewToolPanel);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    TabControl1 = new QTabBar(NewToolPanel);
    TabControl1->setObjectName("TabControl1");
    TabControl1->setDrawBase(false);
    TabControl1->setExpanding(false);
    TabControl1->setContextMenuPolicy(Qt::CustomContextMenu);
    top->addWidget(TabControl1);
    top->addStretch(1);
    Splitter1 = new QWidget(NewToolPanel);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setFixedWidth(2);
    Splitter1->setEnabled(false);
    Splitter1->setStyleSheet("background: #808080;");
    top->addWidget(Splitter1);
    ToolBar1 = new QToolBar(NewToolPanel);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setIconSize(QSize(16, 16));
    top->addWidget(ToolBar1);

    auto tool = [this](const char* name, const char* picture, const char* text) {
        auto* button = new QToolButton(ToolBar1);
        button->setObjectName(name);
        if (picture && QFile::exists(QString::fromLatin1(picture)))
            button->setIcon(QIcon(QString::fromLatin1(picture)));
        if (button->icon().isNull())
            button->setText(QString::fromLatin1(text));
        button->setAutoRaise(true);
        // The tool bar shows and hides its widgets through their actions.
        button->setProperty("ToolAction", QVariant::fromValue(static_cast<QObject*>(ToolBar1->addWidget(button))));
        return button;
    };
    OpenBtn = tool("OpenBtn", ":/pictures/toolbar/open.svg", "L");
    SaveBtn = tool("SaveBtn", ":/pictures/toolbar/save.svg", "S");
    PrintBtn = tool("PrintBtn", ":/pictures/toolbar/print.svg", "P");
    CopyBtn = tool("CopyBtn", ":/pictures/toolbar/copy.svg", "C");
    InternalBtn = tool("InternalBtn", ":/pictures/toolbar/configure.svg", "A");
    HWBtn = tool("HWBtn", ":/pictures/toolbar/configurehw.svg", "H");
    DlgBtn = tool("DlgBtn", ":/pictures/toolbar/fpl.svg", "F");
    HintBtn = tool("HintBtn", ":/pictures/buttons/hint.svg", "i");
    HintBtn->setCheckable(true);
    HintBtn->setChecked(true);
    HelpBtn = tool("HelpBtn", nullptr, "?");
    connect(OpenBtn, &QToolButton::clicked, this, [this] { OpenBtnClick(); });
    connect(SaveBtn, &QToolButton::clicked, this, [this] { SaveBtnClick(); });
    connect(PrintBtn, &QToolButton::clicked, this, [this] { PrintBtnClick(); });
    connect(CopyBtn, &QToolButton::clicked, this, [this] { CopyBtnClick(); });
    connect(InternalBtn, &QToolButton::clicked, this, [this] { InternalBtnClick(); });
    connect(HWBtn, &QToolButton::clicked, this, [this] { HWBtnClick(); });
    connect(DlgBtn, &QToolButton::clicked, this, [this] { DlgBtnClick(); });
    connect(HintBtn, &QToolButton::clicked, this, [this] { HintBtnClick(); });
    connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
    layout->addWidget(NewToolPanel);

    ScrollBox = new QWidget(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->installEventFilter(this);
    layout->addWidget(ScrollBox, 1);

    Statusbar = new QWidget(this);
    Statusbar->setObjectName("Statusbar");
    Statusbar->setFixedHeight(24);
    Statusbar->setMouseTracking(true);
    auto* strip = new QHBoxLayout(Statusbar);
    strip->setContentsMargins(2, 1, 2, 1);
    strip->setSpacing(1);
    auto speed = [this, strip](const char* name, const char* caption, int width) {
        auto* button = new QToolButton(Statusbar);
        button->setObjectName(name);
        button->setText(QString::fromUtf8(caption));
        button->setFixedSize(width, 22);
        button->setAutoRaise(true);
        strip->addWidget(button);
        return button;
    };
    SB_Raster = speed("SB_Raster", "Raster", 44);
    SB_Raster->setCheckable(true);
    SB_Raster->setChecked(true);
    SB_R4 = speed("SB_R4", "4", 22);
    SB_R8 = speed("SB_R8", "8", 22);
    SB_R16 = speed("SB_R16", "16", 22);
    SB_R32 = speed("SB_R32", "32", 22);
    const struct {
        QToolButton* Button;
        Integer Step;
    } steps[] = {{SB_R4, 4}, {SB_R8, 8}, {SB_R16, 16}, {SB_R32, 32}};
    for (const auto& s : steps) {
        s.Button->setCheckable(true);
        s.Button->setAutoExclusive(true);
        s.Button->setProperty("Tag", s.Step);
        connect(s.Button, &QToolButton::clicked, this, [this, step = s.Step] { SetRaster(step); });
    }
    SB_R16->setChecked(true);
    connect(SB_Raster, &QToolButton::clicked, this, [this] { SB_RasterClick(); });
    SB_ZeichneRaster = speed("SB_ZeichneRaster", "V", 22);
    SB_ZeichneRaster->setCheckable(true);
    connect(SB_ZeichneRaster, &QToolButton::clicked, this, [this] { SB_ZeichneRasterClick(); });
    GridColorBtn = speed("GridColorBtn", "", 22);
    GridColorBtn->setStyleSheet("background: #808080;");
    connect(GridColorBtn, &QToolButton::clicked, this, [this] { GridColorBtnClick(); });
    strip->addSpacing(8);
    const struct {
        const char* Name;
        const char* Caption;
        Integer Tag;
    } moves[] = {{"SB_Left", "\u2190", 1}, {"SB_Up", "\u2191", 2}, {"SB_Down", "\u2193", 3}, {"SB_Right", "\u2192", 4}};
    for (const auto& m : moves) {
        QToolButton* button = speed(m.Name, m.Caption, 22);
        connect(button, &QToolButton::clicked, this, [this, tag = m.Tag] { SB_CursorClick(tag, GridSize); });
    }
    strip->addSpacing(8);
    const struct {
        const char* Name;
        const char* Caption;
        Integer Tag;
    } aligns[] = {{"ar_Links_Btn", "\u258F", 0}, {"ar_Rechts_Btn", "\u2595", 1}, {"ar_Oben_Btn", "\u2594", 2},
                  {"ar_Unten_Btn", "\u2581", 3}, {"SpeedButton3", "\u2503", 4}, {"SpeedButton4", "\u2501", 5}};
    for (const auto& a : aligns) {
        QToolButton* button = speed(a.Name, a.Caption, 22);
        connect(button, &QToolButton::clicked, this, [this, tag = a.Tag] { AlignClick(tag); });
    }
    strip->addStretch(1);
    Statusbar->installEventFilter(this);
    NewToolPanel->installEventFilter(this);
    NewToolPanel->setMouseTracking(true);
    layout->addWidget(Statusbar);

    Panel1 = new QWidget(this);
    Panel1->setObjectName("HiddenParentPanel");
    Panel1->setGeometry(-100, -100, 10, 10);
    HiddenPanel = new QWidget(Panel1);
    HiddenPanel->setObjectName("HiddenPanel");
    HiddenPanel->setGeometry(0, 0, 4000, 4000);
    HiddenPanel->setEnabled(false);

    FPopup = new QMenu(this);
    FPopup->setObjectName("FPopup");
    Umbenennen = FPopup->addAction(QString());
    Umbenennen->setObjectName("Umbenennen");
    FPopup->addSeparator();
    Nachlinks1 = FPopup->addAction(QString());
    Nachlinks1->setObjectName("Nachlinks1");
    Nachrechts1 = FPopup->addAction(QString());
    Nachrechts1->setObjectName("Nachrechts1");
    FPopup->addSeparator();
    NeueFrontplatte1 = FPopup->addAction(QString());
    NeueFrontplatte1->setObjectName("NeueFrontplatte1");
    Lschen1 = FPopup->addAction(QString());
    Lschen1->setObjectName("Lschen1");
    connect(Umbenennen, &QAction::triggered, this, [this] { SetupBtnClick(); });
    connect(Nachlinks1, &QAction::triggered, this, [this] { MovePage(-1); });
    connect(Nachrechts1, &QAction::triggered, this, [this] { MovePage(1); });
    connect(NeueFrontplatte1, &QAction::triggered, this, [this] { NeueFrontplatte1Click(); });
    connect(Lschen1, &QAction::triggered, this, [this] { Lschen1Click(); });
    connect(TabControl1, &QTabBar::customContextMenuRequested, this, [this](const QPoint& at) {
        if (RunMode || RunOnlyMode)
            return;
        FPopupPopup();
        FPopup->popup(TabControl1->mapToGlobal(at));
    });
    connect(TabControl1, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0) {
            TabControl1->setCurrentIndex(index);
            TabControl1Change();
        }
    });

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();
}

void TFrontplatte::TranslateCaptions()
{
    const AnsiString configuration = T("Konfiguration") + ": ";
    InternalBtn->setToolTip(Q(configuration + T("Anwendung") + "..."));
    HWBtn->setToolTip(Q(configuration + T("Hardware") + "... F6"));
    DlgBtn->setToolTip(Q(configuration + T("Frontplatte") + "... F7"));
    auto tip = [](QWidget* w, const char* de, const char* en, const char* fr) {
        w->setToolTip(QString::fromUtf8(ByLanguage(de, en, fr)));
    };
    tip(OpenBtn, "Einstellungen laden... (F3)", "Load setting... F3", "Charger réglages... F3");
    tip(SaveBtn, "Einstellungen speichern... (F2)", "Save setting... F2", "Sauvegarder réglages... F2");
    tip(PrintBtn, "Frontplatte drucken... (F5)", "Print front panel... F5", "Imprimer panneau de contrôle... F5");
    tip(CopyBtn, "Frontplatte in Zwischenablage kopieren (F4)", "Copy front panel to clipboard F4",
        "Copier panneau de contrôle dans presse-papiers F4");
    tip(HintBtn, "Hinweistexte ein-/ausschalten (F8)", "Hints on/off F8", "Commentaires on/off F8");
    tip(HelpBtn, "Hilfedokument anzeigen... (F1)", "Show help document... F1", "Montrer document d´aide... F1");
    SB_Raster->setText(QString::fromUtf8(ByLanguage("Raster", "Grid", "Grille")));
    // "Grille" needs more room than the 44 pixels "Raster" was laid out for.
    SB_Raster->setFixedWidth(std::max(44, SB_Raster->sizeHint().width()));
    // A window narrower than the strip cuts its end off instead of laying
    // the buttons over each other.
    Statusbar->layout()->invalidate();
    Statusbar->setMinimumWidth(Statusbar->layout()->minimumSize().width());
    tip(SB_Raster, "Rasterfang ein/aus", "Capture on/off", "Capture on/off");
    for (QToolButton* b : {SB_R4, SB_R8, SB_R16, SB_R32}) {
        const QString n = b->text();
        b->setToolTip(QString::fromUtf8(ByLanguage("Raster: %1 Pixel", "Grid: %1 pixels", "Grille: %1 pixels")).arg(n));
    }
    tip(SB_ZeichneRaster, "Raster einblenden", "Show grid", "Montrer grille");
    tip(GridColorBtn, "Rasterfarbe", "Grid colour", "Couleur grille");
    const struct {
        const char* Name;
        const char* De;
        const char* En;
        const char* Fr;
    } hints[] = {{"SB_Left", "Nach links verschieben", "Move left", "Déplacer à gauche"},
                 {"SB_Up", "Nach oben verschieben", "Move up", "Déplacer en haut"},
                 {"SB_Down", "Nach unten verschieben", "Move down", "Déplacer en bas"},
                 {"SB_Right", "Nach rechts verschieben", "Move right", "Déplacer à droite"},
                 {"ar_Links_Btn", "Links ausrichten", "Adjust left", "Ajuster à gauche"},
                 {"ar_Rechts_Btn", "Rechts ausrichten", "Adjust right", "Ajuster à droite"},
                 {"ar_Oben_Btn", "Oben ausrichten", "Adjust top", "Ajuster en haut"},
                 {"ar_Unten_Btn", "Unten ausrichten", "Adjust bottom", "Ajuster en bas"},
                 {"SpeedButton3", "Mittig ausrichten", "Adjust center", "Ajuster au centre"},
                 {"SpeedButton4", "Mittig ausrichten", "Adjust center", "Ajuster au centre"}};
    for (const auto& h : hints)
        if (auto* w = findChild<QWidget*>(h.Name))
            tip(w, h.De, h.En, h.Fr);
    Umbenennen->setText(Q(T("Eigenschaften") + "..."));
    Nachlinks1->setText(QString::fromUtf8(ByLanguage("Nach links setzen", "Move left", "Déplacer à gauche")));
    Nachrechts1->setText(QString::fromUtf8(ByLanguage("Nach rechts setzen", "Move right", "Déplacer à droite")));
    NeueFrontplatte1->setText(QString::fromUtf8(
        ByLanguage("Neue Frontplatte hinzufügen", "Add new front panel", "Ajouter nouveau panneau de contrôle")));
    Lschen1->setText(
        QString::fromUtf8(ByLanguage("Frontplatte löschen", "Remove front panel", "Enlever panneau decontrôle")));
    Title = PanelTitleByLanguage();
    setWindowTitle(Q(Title));
}

AnsiString TFrontplatte::WindowCaption() const
{
    return QStringToAnsi(windowTitle());
}

// ---- Geometry

QRect TFrontplatte::WindowBounds() const
{
    return QRect(pos(), size());
}

void TFrontplatte::SetWindowBounds(const QRect& bounds)
{
    move(bounds.topLeft());
    resize(std::max(1, bounds.width()), std::max(1, bounds.height()));
}

Integer TFrontplatte::WindowStateValue() const
{
    if (windowState() & Qt::WindowMinimized)
        return 1;
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return 2;
    return 0;
}

void TFrontplatte::SetWindowStateValue(Integer state)
{
    setWindowState(state == 1 ? Qt::WindowMinimized : state == 2 ? Qt::WindowMaximized : Qt::WindowNoState);
}

void TFrontplatte::RememberNormalBounds()
{
    NormalBounds = WindowBounds();
}

// ---- Panels

void TFrontplatte::ShowPanel(IDesign* requested)
{
    auto* design = dynamic_cast<TDesign*>(requested);
    if (!design)
        design = Root.get();
    if (!Shown)
        Shown = Root.get();
    if (RunOnlyMode)
        HideNestedPanels(Root.get());
    EnableParentPanels(design);
    ShowNestedPanels(design);
    design->setEnabled(true);
    design->show();
    if (PreviousDesign && PreviousDesign != design) {
        PreviousDesign->DeselectIndex(-1);
        PreviousDesign->RenumberZOrder();
        PreviousDesign->SortByZOrder();
        PreviousDesign->setParent(PreviousParent ? PreviousParent.data() : ScrollBox);
        PreviousDesign->setGeometry(PreviousBounds);
        PreviousDesign->show();
        if (auto* parentDesign = dynamic_cast<TDesign*>(PreviousParent.data()))
            parentDesign->SortByZOrder();
    }
    if (PreviousDesign != design) {
        PreviousDesign = design;
        PreviousParent = design->parentWidget() == ScrollBox ? nullptr : design->parentWidget();
        PreviousBounds = design->geometry();
    }
    if (design->parentWidget() != ScrollBox) {
        design->setParent(ScrollBox);
        design->show();
    }
    FitShownPanel();
    design->SortByZOrder();
    Shown = design;
    if (design == Root.get()) {
        Root->OnProperties = [this] { SetupBtnClick(); };
        setWindowTitle(Q(Title));
    } else {
        setWindowTitle(Q(AnsiUpperCase(design->ElementName())));
    }
    // Page tabs and tools belong to the project's panel, not to a macro's.
    NewToolPanel->setVisible(design == Root.get());
    TabControl1->setVisible(design == Root.get() && TabControl1->count() > 1);
    if (design != Root.get() && design->FrontplattenNR() < TabControl1->count())
        TabControl1->setCurrentIndex(design->FrontplattenNR());
    TabControl1Change();
    design->RefreshTransparency(nullptr);
    HintBox->raise();
}

void TFrontplatte::FitShownPanel()
{
    if (!Shown || ShownPanel()->parentWidget() != ScrollBox)
        return;
    if (FullScreen && Shown == Root.get() && (RunMode || RunOnlyMode)) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const QSize size = screen ? screen->size() : ScrollBox->size();
        ShownPanel()->setGeometry(0, 0, size.width(), size.height() - 2);
    } else {
        ShownPanel()->setGeometry(ScrollBox->rect());
    }
}

void TFrontplatte::EnableParentPanels(TDesign* design)
{
    while (design && design->OwnerDesign) {
        design->setEnabled(true);
        design = design->OwnerDesign;
    }
}

void TFrontplatte::HideNestedPanels(TDesign* design)
{
    for (TFP_Element* element : design->Elements)
        if (auto* nested = dynamic_cast<TDesign*>(element)) {
            nested->setEnabled(false);
            nested->SetisVisible(!nested->HasOnlySubPanels());
            HideNestedPanels(nested);
        }
    design->setEnabled(false);
}

void TFrontplatte::ShowNestedPanels(TDesign* design)
{
    for (TFP_Element* element : design->Elements)
        if (auto* nested = dynamic_cast<TDesign*>(element)) {
            nested->setEnabled(true);
            nested->SetisVisible(!nested->HasOnlySubPanels());
            if (RunMode)
                ShowNestedPanels(nested);
            else
                HideNestedPanels(nested);
        }
    design->setEnabled(true);
}

void TFrontplatte::ApplyEditing(bool editing, IDesign* requested)
{
    auto* design = dynamic_cast<TDesign*>(requested);
    if (!design)
        return;
    for (TFP_Element* element : design->Elements)
        if (auto* nested = dynamic_cast<TDesign*>(element)) {
            nested->setEnabled(!editing);
            ApplyEditing(editing, nested);
        }
    design->SetisEditing(editing);
    design->setContextMenuPolicy(editing ? Qt::DefaultContextMenu : Qt::NoContextMenu);
    design->setEnabled(!editing);
}

void TFrontplatte::RemoveAllElements()
{
    while (!Root->Elements.empty())
        Root->RemoveElement(Root->Elements.front());
}

void TFrontplatte::ResetToNewProject()
{
    if (Shown != Root.get())
        ShowPanel(Root.get());
    PreviousDesign = Root.get();
    PreviousParent = nullptr;
    RemoveAllElements();
    Title = PanelTitleByLanguage();
    setWindowTitle(Q(Title));
    Root->SetElementName(Title);
    WebPanelPrefix = Title;
    while (TabControl1->count() > 0)
        TabControl1->removeTab(0);
    TabControl1->addTab(Q(Root->GetPanelCaption()));
    TabControl1->setCurrentIndex(0);
    ShowDlgBtn = ShowOpenBtn = ShowSaveBtn = true;
    ShowHelpBtn = ToolTitel = Skalierbar = false;
    AutoSaveOption = true;
    HelpFile.clear();
    LastSettingsFile.clear();
    PanelDefaultColor = NewPanelColor;
    // The root's frame as a new project has it.
    Root->BorderWidth = 0;
    Root->BevelWidth = 1;
    Root->BevelInner = bvNone;
    Root->BevelOuter = bvNone;
    Root->ColorFollowsPanel = true;
    Root->BackgroundFollowsPanel = true;
    Root->SetHintergrundFarbe(PanelDefaultColor);
    Root->SetColor(PanelDefaultColor);
    Root->setEnabled(true);
    SetRunMode(false);
    SetWebMode(0);
    ShowPanel(Root.get());
}

void TFrontplatte::ResetElementsToDefault()
{
    Root->ResetToDefault();
}

// ---- Pages

Integer TFrontplatte::AktiveFrontplatte() const
{
    return std::max(0, TabControl1->currentIndex());
}

Integer TFrontplatte::PageCount() const
{
    return TabControl1->count();
}

QStringList TFrontplatte::PageNames() const
{
    QStringList names;
    for (int i = 0; i < TabControl1->count(); ++i)
        names << TabControl1->tabText(i);
    return names;
}

void TFrontplatte::TabControl1Change()
{
    if (!Shown)
        return;
    ShownPanel()->DeselectIndex(-1);
    ShownPanel()->SetAktiveFrontplatte(AktiveFrontplatte());
    TabControl1->setVisible(Shown == Root.get() && TabControl1->count() > 1);
    ShownPanel()->RefreshTransparency(nullptr);
}

void TFrontplatte::NeueFrontplatte1Click()
{
    TabControl1->addTab(Q(Root->GetPanelCaption()));
    Root->MoveSelectionToPanel(TabControl1->count() - 1);
    TabControl1->setCurrentIndex(TabControl1->count() - 1);
    TabControl1Change();
}

void TFrontplatte::AddPage()
{
    NeueFrontplatte1Click();
    show();
    raise();
}

void TFrontplatte::Lschen1Click()
{
    const Integer page = AktiveFrontplatte();
    const bool occupied = std::any_of(Root->Elements.begin(), Root->Elements.end(),
                                      [page](const TFP_Element* e) { return e->FrontplattenNR() == page; });
    if (occupied) {
        MessageBox(Utf8(ByLanguage("Es können nur leere Frontplatten gelöscht werden!",
                                   "Only empty front panels can be deleted!",
                                   "Seuls les panneaux de contrôle vides peuvent être effacés !")),
                   Utf8(ByLanguage("Frontplatte löschen", "Delete front panel", "Effacer panneau de contrôle")),
                   MB_OK);
        return;
    }
    // The last page stays: a panel always has one.
    if (TabControl1->count() <= 1)
        return;
    const bool wasLast = page == TabControl1->count() - 1;
    RenumberPagesForDelete(page);
    {
        const QSignalBlocker block(TabControl1);
        TabControl1->removeTab(page);
        TabControl1->setCurrentIndex(wasLast ? page - 1 : page);
    }
    TabControl1Change();
}

void TFrontplatte::RenumberPagesForDelete(Integer page)
{
    for (TFP_Element* element : Root->Elements)
        if (element->FrontplattenNR() > page)
            element->SetFrontplattenNR(element->FrontplattenNR() - 1);
}

void TFrontplatte::SwapPages(Integer a, Integer b)
{
    for (TFP_Element* element : Root->Elements) {
        const Integer page = element->FrontplattenNR();
        if (page == a)
            element->SetFrontplattenNR(b);
        else if (page == b)
            element->SetFrontplattenNR(a);
    }
    const QString nameA = TabControl1->tabText(a);
    TabControl1->setTabText(a, TabControl1->tabText(b));
    TabControl1->setTabText(b, nameA);
}

void TFrontplatte::MovePage(Integer direction)
{
    const Integer t = AktiveFrontplatte();
    const Integer to = t + direction;
    if (to < 0 || to >= TabControl1->count())
        return;
    SwapPages(t, to);
    TabControl1->setCurrentIndex(to);
    TabControl1Change();
}

void TFrontplatte::FPopupPopup()
{
    Nachlinks1->setEnabled(TabControl1->currentIndex() > 0);
    Nachrechts1->setEnabled(TabControl1->currentIndex() < TabControl1->count() - 1);
}

void TFrontplatte::CheckeFrontplattenNummern()
{
    bool added = false;
    for (const TFP_Element* element : Root->Elements)
        while (element->FrontplattenNR() >= TabControl1->count() && TabControl1->count() < 1000) {
            TabControl1->addTab(Q(Root->GetPanelCaption()));
            added = true;
        }
    if (added)
        TabControl1->setCurrentIndex(TabControl1->count() - 1);
    TabControl1Change();
}

// ---- Run mode, frame and tools

TPanelBorderOptions TFrontplatte::BorderOptions() const
{
    return {FullScreen, ToolTitel, Skalierbar, RunMode, RunOnlyMode};
}

void TFrontplatte::SetRunMode(bool run)
{
    if (!run)
        PanelRepaintPending = true;
    if (run && !RunMode)
        editSettings_ = CurrentWindowSettings();
    RunMode = run;
    if (!run && editSettings_) {
        ApplyWindowSettings(*editSettings_);
        editSettings_.reset();
    }
    ApplyRunMode();
    if (Shown)
        ShownPanel()->RefreshTransparency(nullptr);
    TabControl1->setContextMenuPolicy(!run && !RunOnlyMode ? Qt::CustomContextMenu : Qt::NoContextMenu);
}

void TFrontplatte::ApplyBorder(TPanelBorder border, bool minMax)
{
    Qt::WindowFlags flags = Qt::Window;
    switch (border) {
    case TPanelBorder::None: flags |= Qt::FramelessWindowHint; break;
    case TPanelBorder::ToolWindow:
    case TPanelBorder::SizeToolWin: flags = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint; break;
    default: flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint; break;
    }
    if (minMax && border != TPanelBorder::None)
        flags |= Qt::WindowMinMaxButtonsHint;
    if (flags != windowFlags()) {
        const bool visible = isVisible();
        const QRect bounds = WindowBounds();
        applyingBorder_ = true;
        setWindowFlags(flags);
        SetWindowBounds(bounds);
        if (visible)
            show();
        applyingBorder_ = false;
    }
    const bool fixed = border == TPanelBorder::Single || border == TPanelBorder::ToolWindow;
    if (fixed)
        setFixedSize(size());
    else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    border_ = border;
}

void TFrontplatte::ApplyRunMode()
{
    const TPanelBorderOptions options = BorderOptions();
    const bool editing = !RunMode && !RunOnlyMode;
    const bool minMax = BorderHasMinMax(options) || (windowFlags() & Qt::WindowMinMaxButtonsHint);
    if ((!FullScreen && border_ == TPanelBorder::None) || editing) {
        ApplyBorder(ComputeBorderStyle(options), minMax);
        SetWindowStateValue(0);
        if (!AutoSaveOption)
            SetWindowBounds(NormalBounds);
    }
    const TPanelBorder border = ComputeBorderStyle(options);
    ApplyBorder(border, minMax);
    if (border == TPanelBorder::None)
        SetWindowStateValue(2);

    ToolBar1->setVisible(true);
    const struct {
        QToolButton* Button;
        bool Visible;
    } tools[] = {{OpenBtn, ShowOpenBtn && RunMode},   {SaveBtn, ShowSaveBtn && RunMode},
                 {HintBtn, ShowHintBtn && RunMode},   {DlgBtn, ShowDlgBtn || editing},
                 {HelpBtn, ShowHelpBtn || editing},   {HWBtn, ShowHWBtn || editing},
                 {PrintBtn, ShowPrintBtn || editing}, {CopyBtn, ShowCopyBtn || editing},
                 {InternalBtn, ShowInternalBtn || editing}};
    for (const auto& t : tools)
        if (auto* action = qobject_cast<QAction*>(t.Button->property("ToolAction").value<QObject*>()))
            action->setVisible(t.Visible);

    Statusbar->setVisible(editing);
    if (Root) {
        ApplyEditing(editing, Root.get());
        Root->move(Root->x(), 0);
    }
    Splitter1->setVisible(AnyRunToolVisible());
    FitShownPanel();
}

bool TFrontplatte::ToolButtonVisible(const QToolButton* button) const
{
    const auto* action = qobject_cast<QAction*>(button->property("ToolAction").value<QObject*>());
    return action && action->isVisible();
}

bool TFrontplatte::AnyRunToolVisible() const
{
    const QToolButton* const tools[] = {SaveBtn, OpenBtn, HelpBtn, DlgBtn, PrintBtn, CopyBtn, HWBtn};
    const bool any = std::any_of(std::begin(tools), std::end(tools),
                                 [this](const QToolButton* b) { return ToolButtonVisible(b); }) ||
                     !TabControl1->isHidden();
    return any && Shown == Root.get() && RunMode;
}

void TFrontplatte::SetRaster(Integer step)
{
    GridSize = step;
    ShownPanel()->update();
    ShownPanel()->RefreshTransparency(nullptr);
}

void TFrontplatte::SB_RasterClick()
{
    const bool on = SB_Raster->isChecked();
    for (QToolButton* b : {SB_R4, SB_R8, SB_R16, SB_R32, SB_ZeichneRaster})
        b->setEnabled(on);
    GridSize = 1;
    if (on)
        for (QToolButton* b : {SB_R4, SB_R8, SB_R16, SB_R32})
            if (b->isChecked())
                GridSize = b->property("Tag").toInt();
    ShownPanel()->update();
    ShownPanel()->RefreshTransparency(nullptr);
}

void TFrontplatte::ShowGridSize()
{
    bool matched = false;
    for (QToolButton* b : {SB_R4, SB_R8, SB_R16, SB_R32}) {
        // Exclusive buttons cannot all be released otherwise.
        b->setAutoExclusive(false);
        b->setChecked(b->property("Tag").toInt() == GridSize);
        matched = matched || b->isChecked();
        b->setAutoExclusive(true);
    }
    SB_Raster->setChecked(matched);
    for (QToolButton* b : {SB_R4, SB_R8, SB_R16, SB_R32, SB_ZeichneRaster})
        b->setEnabled(matched);
    SB_ZeichneRaster->setChecked(GridVisible);
    GridColorBtn->setStyleSheet(QStringLiteral("background: %1;").arg(ColorToQColor(GridColor).name()));
}

void TFrontplatte::SB_ZeichneRasterClick()
{
    GridVisible = SB_ZeichneRaster->isChecked();
    ShownPanel()->update();
    ShownPanel()->RefreshTransparency(nullptr);
}

void TFrontplatte::GridColorBtnClick()
{
    TColor color = GridColor;
    TCustomColors custom{};
    if (ExecuteColorDialog(color, custom)) {
        GridColor = color;
        GridColorBtn->setStyleSheet(QStringLiteral("background: %1;").arg(ColorToQColor(GridColor).name()));
    }
    ShownPanel()->update();
    ShownPanel()->RefreshTransparency(nullptr);
}

void TFrontplatte::SB_CursorClick(Integer direction, Integer step)
{
    if (ShownPanel()->Selection.empty())
        return;
    switch (direction) {
    case 1: ShownPanel()->MoveSelectionBy(-step, 0); break;
    case 2: ShownPanel()->MoveSelectionBy(0, -step); break;
    case 3: ShownPanel()->MoveSelectionBy(0, step); break;
    case 4: ShownPanel()->MoveSelectionBy(step, 0); break;
    default: break;
    }
}

void TFrontplatte::AlignClick(Integer kind)
{
    ShownPanel()->AlignSelection(kind);
}

void TFrontplatte::Timer1Timer()
{
    const QPoint cursor = QCursor::pos();
    auto within = [cursor](const QWidget* w) {
        QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
        r.setTop(r.top() - 5);
        return r.contains(cursor);
    };
    if (ToolbarMode != 0) {
        if (!within(NewToolPanel))
            NewToolPanel->setFixedHeight(2);
        Statusbar->setFixedHeight(within(Statusbar) ? 24 : 2);
    } else {
        NewToolPanel->setFixedHeight(25);
        if (!RunMode && !RunOnlyMode)
            Statusbar->setFixedHeight(24);
    }
}

// ---- Keys

void TFrontplatte::FormKeyDown(Word key, Byte shift)
{
    if (key == VK_ESCAPE_) {
        if (OnStopKey)
            OnStopKey();
        return;
    }
    if (key == VK_F9_) {
        if (OnStartKey)
            OnStartKey();
        return;
    }
    if (RunMode) {
        switch (key) {
        case VK_F1_: HelpBtnClick(); break;
        case VK_F1_ + 1: SaveBtnClick(); break;
        case VK_F1_ + 2: OpenBtnClick(); break;
        case VK_F1_ + 3: CopyBtnClick(); break;
        case VK_F1_ + 4: PrintBtnClick(); break;
        case VK_F1_ + 5: HWBtnClick(); break;
        case VK_F1_ + 6: DlgBtnClick(); break;
        case VK_F1_ + 7:
            if (ToolButtonVisible(HintBtn))
                HintBtn->setChecked(!HintBtn->isChecked());
            HintBtnClick();
            break;
        default: break;
        }
        Root->HotkeyDown(key, shift);
        // A receiver's handler may change the list; index it afresh each time.
        for (std::size_t i = 0; i < HotkeyReceivers.size(); ++i)
            if (HotkeyReceivers[i])
                HotkeyReceivers[i]->KeyDown(key, shift);
        return;
    }
    if (RunOnlyMode)
        return;
    const Integer step = (shift & ssCtrl) ? 1 : GridSize;
    switch (key) {
    case VK_LEFT_: SB_CursorClick(1, step); break;
    case VK_UP_: SB_CursorClick(2, step); break;
    case VK_DOWN_: SB_CursorClick(3, step); break;
    case VK_RIGHT_: SB_CursorClick(4, step); break;
    case VK_F1_: CallHtmlHelp(nullptr, ProgramFolder() + "Zentrika30.CHM", HH_DISPLAY_TOPIC, 0); break;
    default: break;
    }
}

void TFrontplatte::FormKeyUp(Word key, Byte shift)
{
    if (!RunMode)
        return;
    Root->HotkeyUp(key, shift);
    for (std::size_t i = 0; i < HotkeyReceivers.size(); ++i)
        if (HotkeyReceivers[i])
            HotkeyReceivers[i]->KeyUp(key);
}

bool TFrontplatte::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == ScrollBox && type == QEvent::Resize) {
        FitShownPanel();
        return false;
    }
    if ((watched == NewToolPanel) && (type == QEvent::Enter || type == QEvent::MouseMove)) {
        if (!(ToolbarMode == 2 && (RunMode || RunOnlyMode)))
            NewToolPanel->setFixedHeight(25);
        return false;
    }
    if (watched == Statusbar && type == QEvent::MouseMove) {
        Statusbar->setFixedHeight(24);
        return false;
    }
    if (type == QEvent::ToolTip && !ShowHints) {
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && widget->window() == this;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    // Each key once, at the widget that has it first. A key the focus widget
    // leaves travels up to the window: acted on again there, F9 would start
    // a run that the first F9's run has meanwhile stopped.
    auto& key = static_cast<QKeyEvent&>(*event);
    const TKeySeen seen{event, type, key.key(), key.timestamp()};
    if (widget != this) {
        if (widget != QApplication::focusWidget())
            return false;
        // Keys acted on inside a key (the run that F9 starts) nest; a key the
        // focus widget accepts never reaches the window: the oldest go.
        if (keysAtFocus_.size() >= 16)
            keysAtFocus_.erase(keysAtFocus_.begin());
        keysAtFocus_.push_back(seen);
    } else if (const auto at = std::find(keysAtFocus_.begin(), keysAtFocus_.end(), seen); at != keysAtFocus_.end()) {
        keysAtFocus_.erase(at);
        return false;
    }
    // As hotkeys match them: the digit row under any layout, held mouse buttons included.
    const Word vk = VirtualKeyOf(key);
    const Byte shift = ShiftStateOf(key);
    if (type == QEvent::KeyRelease) {
        if (!key.isAutoRepeat())
            FormKeyUp(vk, shift);
        return false;
    }
    FormKeyDown(vk, shift);
    // The arrows of edit mode are the window's (the container would move again).
    return !RunMode && vk >= VK_LEFT_ && vk <= VK_DOWN_;
}

// ---- Hint box

void TFrontplatte::ShowHintText(const AnsiString* text)
{
    if (!text || text->empty()) {
        HintBox->hide();
        return;
    }
    QPoint at = ScrollBox->mapFromGlobal(QCursor::pos());
    if (HintBox->Text != *text) {
        HintBox->hide();
        HintBox->ShowText(*text);
        HintBox->update();
    }
    if (HintBox->width() + at.x() > width() - 10)
        at.setX(width() - 10 - HintBox->width());
    HintBox->move(at.x(), at.y() - HintBox->height() - 5);
    HintBox->show();
    HintBox->raise();
}

// ---- Closing and resizing

void TFrontplatte::closeEvent(QCloseEvent* event)
{
    if (RunOnlyMode) {
        event->ignore();
        if (OnCloseRequest)
            OnCloseRequest();
        return;
    }
    if (RunMode) {
        event->ignore();
        if (OnStopKey)
            OnStopKey();
        return;
    }
    event->accept();
}

void TFrontplatte::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (RunOnlyMode && WindowShown) {
        if (Shown)
            ShownPanel()->RefreshTransparency(nullptr);
        WindowShown = false;
    }
    FitShownPanel();
}

void TFrontplatte::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (applyingBorder_)
        return;
    WindowShown = true;
    if (Shown == Root.get())
        TabControl1Change();
}

// ---- Help, hints, hardware, configuration

void TFrontplatte::HelpBtnClick()
{
    if (!ToolButtonVisible(HelpBtn))
        return;
    if (!RunMode) {
        ShowHelpTopic(5000);
        return;
    }
    const AnsiString local = ProgramFolder() + ExtractFileName(HelpFile);
    if (!HelpFile.empty() && FileExists(local))
        HelpFile = local;
    if (!HelpFile.empty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(QtFileName(HelpFile)));
}

void TFrontplatte::HintBtnClick()
{
    if (!ToolButtonVisible(HintBtn))
        return;
    ShowHints = HintBtn->isChecked();
}

void TFrontplatte::HWBtnClick()
{
    if (ToolButtonVisible(HWBtn) && OnHardwareDialog)
        OnHardwareDialog();
}

void TFrontplatte::InternalBtnClick()
{
    if (OnConfiguration)
        OnConfiguration();
}

void TFrontplatte::DlgBtnClick()
{
    if (ToolButtonVisible(DlgBtn))
        SetupBtnClick();
}

void TFrontplatte::LoadIcon(const AnsiString& path)
{
    AnsiString file = path;
    const AnsiString local = ProgramFolder() + ExtractFileName(path);
    if (!path.empty() && FileExists(local))
        file = local;
    const QIcon icon(QtFileName(file));
    if (!file.empty() && FileExists(file) && !icon.isNull() && !icon.availableSizes().isEmpty()) {
        setWindowIcon(icon);
        IconFile = file;
        return;
    }
    setWindowIcon(QApplication::windowIcon());
    IconFile.clear();
}

void TFrontplatte::SetWebMode(Integer mode)
{
    // Publishing runs through the web-server add-on, which this program does
    // not start; the mode is kept for the project file.
    WebModeValue = mode;
}

// ---- Property dialog

void TFrontplatte::SetupBtnClick()
{
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(Title);
    dlg.SetHelpContext(5400);
    TPropScrollbox& props = *dlg.Props;
    AnsiString title = Title;
    const Integer page = AktiveFrontplatte();
    AnsiString pageName = QStringToAnsi(TabControl1->tabText(page));
    TColor colour = PanelDefaultColor;
    AnsiString icon = IconFile;
    bool autoSave = AutoSaveOption, toolTitel = ToolTitel, hints = ShowHints;
    Integer toolbar = ToolbarMode;
    bool open = ShowOpenBtn, save = ShowSaveBtn, dialog = ShowDlgBtn, internal = ShowInternalBtn, hardware = ShowHWBtn;
    bool hintBtn = ShowHintBtn, print = ShowPrintBtn, copy = ShowCopyBtn, help = ShowHelpBtn;
    AnsiString helpFile = HelpFile;
    bool scalable = Skalierbar, fullScreen = FullScreen;
    Integer webMode = WebModeValue, refresh = WebRefreshSeconds;
    const AnsiString configuration = T("Konfiguration") + ": ";

    props.AddCaption(T("Optionen"));
    props.AddEdit(T("Titel"), title, 0, 180);
    props.AddEdit(T("Name"), pageName, 0, 180);
    props.AddColor(T("Farbe"), colour);
    props.AddFile(T("Icon"), icon, 0, 180, "Icons (*.ico)|*.ico", ".ICO");
    props.AddCheck(T("Letzte Einstellung merken"), autoSave);
    props.AddCheck(T("Kleine Titelzeile"), toolTitel);
    props.AddCheck(T("Hinweistexte anzeigen"), hints);
    props.AddCaption(T("Laufzeit-Optionen"));
    props.AddCombo(T("Werkzeugleiste"), toolbar, {T("Offen"), "Auto", T("Geschlossen")}, 180);
    props.AddCheck(T("Einstellungen laden"), open);
    props.AddCheck(T("Einstellungen speichern"), save);
    if (!RunMode && !RunOnlyMode)
        props.AddCheck(configuration + T("Frontplatte"), dialog);
    props.AddCheck(configuration + T("Anwendung"), internal);
    props.AddCheck(configuration + T("Hardware"), hardware);
    props.AddCheck(T("Hinweistexte ein-/ausschaltbar"), hintBtn);
    props.AddCheck(T("Drucken"), print);
    props.AddCheck(T("Zwischenablage"), copy);
    props.AddCheck(T("Hilfe"), help);
    props.AddFile(T("Datei") + " [" + T("Hilfe") + "]", helpFile, 0, 180,
                  Utf8(ByLanguage("Hilfedateien (*.HLP;*.CHM)|*.HLP;*.CHM|Textdateien (*.TXT;*.RTF)|*.TXT;*.RTF|"
                                  "Word-Dokumente (*.DOC;*.WRI)|*.DOC;*.WRI|HTML-Dokumente (*.HTM)|*.HTM|"
                                  "Acrobat-Dateien (*.PDF)|*.PDF|Alle Dateien (*.*)|*.*",
                                  "Help files (*.HLP;*.CHM)|*.HLP;*.CHM|Text files (*.TXT;*.RTF)|*.TXT;*.RTF|"
                                  "Word documents (*.DOC;*.WRI)|*.DOC;*.WRI|HTML files (*.HTM)|*.HTM|"
                                  "Acrobat files (*.PDF)|*.PDF|All files (*.*)|*.*",
                                  "Fichiers d´aide (*.HLP;*.CHM)|*.HLP;*.CHM|Fichiers texte (*.TXT;*.RTF)|*.TXT;*.RTF|"
                                  "Documents Word (*.DOC;*.WRI)|*.DOC;*.WRI|Fichiers HTML (*.HTM)|*.HTM|"
                                  "Fichiers Acrobat (*.PDF)|*.PDF|Tous fichiers (*.*)|*.*")),
                  "");
    props.AddCheck(T("Grösse einstellbar"), scalable);
    props.AddCheck(T("Vollbild"), fullScreen);
    props.AddCaption("WebServer");
    props.AddCombo(T("Veröffentlichen"), webMode, {T("Niemals"), T("Nur zur Laufzeit"), T("Jederzeit")}, 200);
    props.AddSpin("Refresh [s]", refresh, 0, 3600, 40);
    if (dlg.ShowModal() != mrOk)
        return;

    Title = title.substr(0, std::min(title.size(), std::size_t{255}));
    PanelDefaultColor = colour;
    IconFile = icon;
    AutoSaveOption = autoSave;
    ToolTitel = toolTitel;
    ShowOpenBtn = open;
    ShowSaveBtn = save;
    ShowDlgBtn = dialog;
    ShowInternalBtn = internal;
    ShowHWBtn = hardware;
    ShowHintBtn = hintBtn;
    ShowPrintBtn = print;
    ShowCopyBtn = copy;
    ShowHelpBtn = help;
    HelpFile = helpFile;
    Skalierbar = scalable;
    FullScreen = fullScreen;
    WebRefreshSeconds = refresh;

    if (toolbar >= 0 && toolbar <= 2)
        ToolbarMode = toolbar;
    if (page < TabControl1->count())
        TabControl1->setTabText(page, Q(pageName));
    ShowHints = hints;
    HintBtn->setChecked(hints);
    LoadIcon(IconFile);
    setWindowTitle(Q(Title));
    SaveWindowDefaults(CurrentProjectFile);
    SetRunMode(RunMode);
    Root->RefreshTransparency(nullptr);
    ShowPanel(Shown);
    if (!AutoSaveOption && !RunMode)
        Root->ResetToDefault();
    if (webMode >= 0 && webMode <= 2)
        SetWebMode(webMode);
}

// ---- Copy and print

QPixmap TFrontplatte::WindowPicture()
{
    NewToolPanel->setFixedHeight(2);
    HiddenPanel->hide();
    layout()->activate();
    const QPixmap picture = grab();
    HiddenPanel->show();
    return picture;
}

void TFrontplatte::CopyBtnClick()
{
    if (!ToolButtonVisible(CopyBtn))
        return;
    const QPixmap picture = WindowPicture();
    QGuiApplication::clipboard()->setPixmap(picture);
    Root->RefreshTransparency(nullptr);
}

void TFrontplatte::PrintBtnClick()
{
    if (!ToolButtonVisible(PrintBtn))
        return;
    const QPixmap picture = WindowPicture();
    PreviewPanel(picture);
}

namespace {

void SetUpPrinter(QPrinter& printer, Integer printerIndex, Integer orientation)
{
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (printerIndex >= 0 && printerIndex < printers.size())
        printer.setPrinterName(printers[printerIndex].printerName());
    printer.setPageOrientation(orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (PanelPrinterSetup)
        PanelPrinterSetup(printer);
}

} // namespace

void TFrontplatte::PreviewPanel(const QPixmap& picture)
{
    TPreviewDlg dlg(this);
    dlg.SetHeadline(PrintHeadline);
    dlg.SetComment(PrintComment);
    dlg.CB_Mitte->setChecked(PrintCentered);
    dlg.CB_SW->setChecked(PrintMono);
    dlg.cb_Hintergrund->setChecked(PrintBackground);
    dlg.ZoomScroller->setValue(PrintZoom);
    dlg.PreviewOffset = PreviewOffset;
    dlg.CB_SW->hide();
    dlg.cb_Hintergrund->hide();
    dlg.PrinterIndex = PrinterIndex;
    dlg.Orientation = PrintOrientation;
    dlg.OnRepaint = [this, &dlg, &picture](QPainter& painter) {
        PrintCentered = dlg.CB_Mitte->isChecked();
        DrawPrintout(painter, picture, dlg.pvPaintBox->width(), dlg.pvPaintBox->height(), true);
        dlg.PreviewOffset = PreviewOffset;
    };
    dlg.OnTextChanged = [this, &dlg] {
        PrintHeadline = dlg.Headline();
        PrintComment = dlg.Comment();
    };
    dlg.OnZoomChanged = [this, &dlg] {
        PrintScale = PrintScaleOfZoom(dlg.ZoomScroller->value());
        dlg.pvPaintBox->update();
    };
    PrintScale = PrintScaleOfZoom(PrintZoom);
    const Integer result = dlg.ShowModal();
    if (result != mrCancel) {
        PrintOrientation = dlg.Orientation;
        PrinterIndex = dlg.PrinterIndex;
        PrintCentered = dlg.CB_Mitte->isChecked();
        PrintMono = dlg.CB_SW->isChecked();
        PrintBackground = dlg.cb_Hintergrund->isChecked();
        PrintZoom = dlg.ZoomScroller->value();
        PrintScale = PrintScaleOfZoom(PrintZoom);
        PrintHeadline = dlg.Headline();
        PrintComment = dlg.Comment();
        PreviewOffset = dlg.PreviewOffset;
    }
    if (result == TPreviewDlg::mrPrint)
        PrintPanel(picture);
    dlg.OnRepaint = nullptr;
    dlg.OnTextChanged = nullptr;
    dlg.OnZoomChanged = nullptr;
}

void TFrontplatte::PrintPanel(const QPixmap& picture)
{
    QPrinter printer(QPrinter::HighResolution);
    SetUpPrinter(printer, PrinterIndex, PrintOrientation);
    printer.setDocName(QStringLiteral("FPL"));
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    DrawPrintout(painter, picture, page.width(), page.height(), false);
    painter.end();
}

void TFrontplatte::DrawPrintout(QPainter& painter, const QPixmap& picture, int pageWidth, int pageHeight, bool preview)
{
    const int w = std::max(1, width());
    const int h = std::max(1, height());
    const int bw = picture.width();
    const int bh = picture.height();
    const double s = std::min(double(pageWidth) / w, double(pageHeight) / h) * static_cast<double>(PrintScale);
    int x = PrintOffset.x();
    int y = PrintOffset.y();
    if (preview) {
        x = Round(PreviewOffset.x() / s);
        y = Round(PreviewOffset.y() / s);
        painter.fillRect(0, 0, pageWidth, pageHeight, Qt::white);
        if (PrintCentered) {
            x = Round(pageWidth / 2.0 / s - bw / 2.0);
            y = Round(pageHeight / 2.0 / s - bh / 2.0);
            PreviewOffset = QPoint(Round(s * x), Round(s * y));
        }
        PrintOffset = QPoint(x, y);
    }
    const QRect target(Round(x * s), Round(y * s), Round(bw * s), Round(bh * s));
    if (target.width() > 0 && target.height() > 0)
        painter.drawPixmap(target, picture);
    else
        painter.drawPixmap(target.topLeft(), picture);

    painter.setPen(Qt::black);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(std::max(1, Round(s * 20)));
    painter.setFont(font);
    if (!PrintHeadline.empty()) {
        const QString text = Q(PrintHeadline);
        const QFontMetrics metrics(font, painter.device());
        const int tw = metrics.horizontalAdvance(text);
        const int th = metrics.height();
        const int hx = Round(bw * s / 2 - tw / 2.0 + s * x);
        const int hy = Round(s * y - 3.0 * th / 2);
        painter.drawText(hx, hy + metrics.ascent(), text);
    }
    font.setBold(false);
    font.setPixelSize(std::max(1, Round(s * 12)));
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    const int lineHeight = metrics.height();
    for (std::size_t i = 0; i < PrintComment.size(); ++i) {
        const int lx = Round(x * s);
        const int ly = Round(s * (bh + y) + (static_cast<int>(i) + 1) * lineHeight);
        painter.drawText(lx, ly + metrics.ascent(), Q(PrintComment[i]));
    }
}

void TFrontplatte::wm_FPActivate(Integer lParam)
{
    const Integer page = (lParam & 4095) - 1;
    if (page < 0 || page >= TabControl1->count())
        return;
    TabControl1->setCurrentIndex(page);
    TabControl1Change();
    if (lParam & 4096) {
        const QPixmap picture = WindowPicture();
        PrintPanel(picture);
    }
}
