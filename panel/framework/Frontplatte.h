// The one front-panel window: it holds the root element container, shows it
// or a macro's nested panel, splits the root panel into pages shown as tabs,
// offers the editing tools while the simulation is stopped and becomes the
// operator's window while it runs (tool buttons chosen by the project,
// function keys, element hotkeys, a border chosen by the project). It prints
// and copies the panel, and owns the panel's block of the project file and
// the panel's settings files.
#pragma once

#include "engine/PanelInterfaces.h"
#include "panel/framework/Design.h"

#include <QEvent>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QPainter;
class QPrinter;
class QTabBar;
class QTimer;
class QToolBar;
class QToolButton;
class TCustomIniFile;
class THintBox;
class TPreviewDlg;

// The window's frame as the project's options choose it.
enum class TPanelBorder { None, Single, Sizeable, ToolWindow, SizeToolWin };

struct TPanelBorderOptions {
    bool FullScreen = false;
    bool ToolTitel = false;
    bool Skalierbar = false;
    bool RunMode = false;
    bool RunOnly = false;
};
// The first matching rule: full screen while operated gives no frame, a small
// title bar a tool frame, editing or a sizeable panel a sizeable frame.
TPanelBorder ComputeBorderStyle(const TPanelBorderOptions& options);
// Whether the frame gets minimise and maximise buttons.
bool BorderHasMinMax(const TPanelBorderOptions& options);

// 10^((200 - zoom) / 100) / 10: 100 gives 1, 0 gives 10, 200 gives 0.1.
double PrintScaleOfZoom(Integer zoom);

// The run-state file of a project: its folder, its title in upper case and
// "_Default.set"; an unnamed project uses ProgramFolder + "UNSAVED.PRJ".
AnsiString PanelRunStateFileName(const AnsiString& projectFileName);

// Where the printer output goes; tests point it at a PDF file.
extern std::function<void(QPrinter&)> PanelPrinterSetup;

class TFrontplatte : public QWidget, public IFrontplatte, public IPanelHintWindow {
    Q_OBJECT
public:
    // The window of a new panel: at (100, 100) with a client area of 415 x 309.
    static constexpr Integer NewLeft = 100;
    static constexpr Integer NewTop = 100;
    static constexpr Integer NewClientWidth = 415;
    static constexpr Integer NewClientHeight = 309;
    static constexpr std::size_t TitleLength = 50;

    explicit TFrontplatte(QWidget* parent = nullptr);
    ~TFrontplatte() override;

    // ---- Controls
    QWidget* ScrollBox;
    QWidget* NewToolPanel;
    QTabBar* TabControl1;
    QWidget* Splitter1;
    QToolBar* ToolBar1;
    QToolButton* OpenBtn;
    QToolButton* SaveBtn;
    QToolButton* PrintBtn;
    QToolButton* CopyBtn;
    QToolButton* InternalBtn;
    QToolButton* HWBtn;
    QToolButton* DlgBtn;
    QToolButton* HintBtn;
    QToolButton* HelpBtn;
    QWidget* Statusbar;
    QToolButton* SB_Raster;
    QToolButton* SB_R4;
    QToolButton* SB_R8;
    QToolButton* SB_R16;
    QToolButton* SB_R32;
    QToolButton* SB_ZeichneRaster;
    QToolButton* GridColorBtn;
    QWidget* Panel1;
    QWidget* HiddenPanel;
    QMenu* FPopup;
    QAction* Umbenennen;
    QAction* Nachlinks1;
    QAction* Nachrechts1;
    QAction* NeueFrontplatte1;
    QAction* Lschen1;
    QTimer* Timer1;
    THintBox* HintBox;

    // ---- Fields
    std::unique_ptr<TDesign> Root;
    // Guarded: a macro's panel goes with its macro while it may be shown.
    QPointer<TDesign> Shown;
    QPointer<TDesign> PreviousDesign;
    QPointer<QWidget> PreviousParent;
    QRect PreviousBounds;
    AnsiString Title;
    bool RunMode = false;
    bool FullScreen = false;
    Integer ToolbarMode = 0;
    bool ToolTitel = false;
    bool Skalierbar = false;
    bool AutoSaveOption = false;
    bool ShowOpenBtn = true;
    bool ShowSaveBtn = true;
    bool ShowDlgBtn = true;
    bool ShowInternalBtn = false;
    bool ShowHWBtn = false;
    bool ShowHintBtn = false;
    bool ShowPrintBtn = true;
    bool ShowCopyBtn = true;
    bool ShowHelpBtn = false;
    AnsiString HelpFile;
    AnsiString IconFile;
    bool ShowHints = true;        // the window shows hints
    QRect NormalBounds;           // frame position and client size
    bool WindowShown = false;
    Integer WebModeValue = 0;
    // The file name the settings open dialog chose last.
    AnsiString LastSettingsFile;

    // Print layout.
    AnsiString PrintHeadline;
    std::vector<AnsiString> PrintComment;
    Integer PrintZoom = 100;
    Extended PrintScale = 1.0L;
    bool PrintCentered = true;
    bool PrintMono = false;
    bool PrintBackground = false;
    Integer PrinterIndex = -1;
    Integer PrintOrientation = 0;
    QPoint PrintOffset;
    QPoint PreviewOffset;

    // ---- IFrontplatte
    TDesign* RootDesign() const override { return Root.get(); }
    IDesign* ShownDesign() const override { return ShownPanel(); }
    TDesign* ShownPanel() const { return Shown ? Shown.data() : Root.get(); }
    void ShowPanel(IDesign* design) override;
    Integer AktiveFrontplatte() const override;
    void CheckeFrontplattenNummern() override;
    bool AutoSave() const override { return AutoSaveOption; }
    void SaveDefaultSettings(const AnsiString& projectFileName) override;
    void LoadDefaultSettings(const AnsiString& projectFileName) override;
    void ResetToNewProject() override;
    void WriteToStream(TStream& stream, TWriter& writer) override;
    void ReadFromStream(TStream& stream, TReader& reader, Byte version) override;
    AnsiString WindowCaption() const override;
    QWidget* Window() override { return this; }
    void SetRunMode(bool run) override;
    void ResetElementsToDefault() override;
    void RememberNormalBounds() override;
    Integer PageCount() const override;
    void AddPage() override;
    void SetupBtnClick() override;
    void PrintBtnClick() override;
    void CopyBtnClick() override;
    void Lschen1Click() override;
    Integer WebMode() const override { return WebModeValue; }
    void SetWebMode(Integer mode) override;
    void ApplyEditing(bool editing, IDesign* design) override;

    // ---- IPanelHintWindow
    void ShowHintText(const AnsiString* text) override;

    // ---- Panels and pages
    void HideNestedPanels(TDesign* design);
    void ShowNestedPanels(TDesign* design);
    void EnableParentPanels(TDesign* design);
    void RemoveAllElements();
    void TabControl1Change();
    void NeueFrontplatte1Click();
    void MovePage(Integer direction);   // -1 left, +1 right
    QStringList PageNames() const;

    // ---- Mode, frame and tools
    TPanelBorderOptions BorderOptions() const;
    void ApplyRunMode();
    // The border style applied last.
    TPanelBorder Border() const { return border_; }
    bool ToolButtonVisible(const QToolButton* button) const;
    bool AnyRunToolVisible() const;
    void SetRaster(Integer step);
    void SB_RasterClick();
    void SB_ZeichneRasterClick();
    void GridColorBtnClick();
    void SB_CursorClick(Integer direction, Integer step);
    void AlignClick(Integer kind);
    // Sets the four step buttons and the grid button to match GridSize.
    void ShowGridSize();
    void Timer1Timer();

    // ---- Keys (virtual-key codes; shift: bit 0 Shift, 1 Alt, 2 Ctrl)
    void FormKeyDown(Word key, Byte shift);
    void FormKeyUp(Word key, Byte shift);

    // ---- Buttons
    void HelpBtnClick();
    void HintBtnClick();
    void HWBtnClick();
    void InternalBtnClick();
    void DlgBtnClick();
    void SaveBtnClick();
    void OpenBtnClick();
    void LoadIcon(const AnsiString& path);

    // ---- Settings files
    // The values of the settings files' window section.
    struct TWindowSettings {
        bool InternalBtn, OpenBtn, SaveBtn, HelpBtn, ToolTitel;
        Integer ToolbarMode;
        bool Skalierbar, AutoSave;
        AnsiString HelpFile;
        bool ShowHint, HintBtn, PrintBtn, CopyBtn;
        AnsiString IconFile;
        bool HWBtn;
        TColor Color;
        bool FullScreen;
        Integer State;   // 0 normal, 1 minimised, 2 maximised
        QRect Bounds;    // the normal bounds, whatever the state
    };
    TWindowSettings CurrentWindowSettings() const;
    // The geometry stays as it is while KeepWindowGeometry is set.
    void ApplyWindowSettings(const TWindowSettings& settings);
    void WriteWindowSettings(TCustomIniFile& ini);
    // A key the file lacks keeps the window's current value: a project run for
    // the first time keeps its panel where and as it was.
    void ReadWindowSettings(TCustomIniFile& ini);
    void SaveWindowDefaults(const AnsiString& projectFileName);
    void LoadSettingsFile(const AnsiString& fileName);

    // ---- Pictures and printing
    // The client area as it looks, with the tool panel collapsed.
    QPixmap WindowPicture();
    void PreviewPanel(const QPixmap& picture);
    void PrintPanel(const QPixmap& picture);
    // Draws the print-out on a page of the given size (device pixels); the
    // preview also takes or gives the position in preview pixels.
    void DrawPrintout(QPainter& painter, const QPixmap& picture, int pageWidth, int pageHeight, bool preview);
    // Page activation: page number 1..50, plus 4096 to print it at once.
    void wm_FPActivate(Integer lParam);

    // The window's state for the settings files: 0 normal, 1 minimised, 2 maximised.
    Integer WindowStateValue() const;
    void SetWindowStateValue(Integer state);
    // Frame position and client size.
    QRect WindowBounds() const;
    void SetWindowBounds(const QRect& bounds);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ReadBlock(TStream& stream, TReader& reader, Byte version);
    void TranslateCaptions();
    void FitShownPanel();
    void ApplyBorder(TPanelBorder border, bool minMax);
    void FPopupPopup();
    void RenumberPagesForDelete(Integer page);
    void SwapPages(Integer a, Integer b);

    TPanelBorder border_ = TPanelBorder::Sizeable;
    bool applyingBorder_ = false;
    // The window as it was before a run: whatever the run changes (settings
    // files, F8, the operator's moves), edit mode comes back to it.
    std::optional<TWindowSettings> editSettings_;
    // The key events acted on at the focus widget, known again when they
    // reach the window.
    struct TKeySeen {
        const QEvent* Event = nullptr;
        QEvent::Type Type = QEvent::None;
        int Key = 0;
        quint64 Timestamp = 0;
        bool operator==(const TKeySeen&) const = default;
    };
    std::vector<TKeySeen> keysAtFocus_;
};
