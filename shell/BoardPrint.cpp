#include "shell/BoardPrint.h"

#include "engine/Globals.h"
#include "engine/GrundBT.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "platform/AnsiText.h"
#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/Printing.h"
#include "shell/MainForm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Rounds halves to the even neighbour.
Integer Round(double value)
{
    if (!std::isfinite(value))
        return 0;
    return static_cast<Integer>(std::clamp(std::nearbyint(value), -2.0e9, 2.0e9));
}

QString Text(const char* de, const char* en, const char* fr)
{
    return QString::fromUtf8(ByLanguage(de, en, fr));
}

// The print settings, to put back when the dialog is cancelled.
struct TPrintSettings {
    Integer OriginX, OriginY, PreviewX, PreviewY, Size, Orientation, PrinterIndex;
    double Scale;
    bool Centred, BlackWhite, Background;
    AnsiString Headline;
    std::vector<AnsiString> Lines;

    static TPrintSettings Of(const TPlatine& b)
    {
        return {b.PrintOriginX, b.PrintOriginY, b.PreviewOffsetX, b.PreviewOffsetY, b.PrintSize, b.PrintOrientation,
                b.PrinterIndex, b.PrintScale, b.PrintCentred, b.PrintBlackWhiteOption, b.PrintBackground,
                b.PrintHeadline, b.PrintTextLines};
    }
    void Into(TPlatine& b) const
    {
        b.PrintOriginX = OriginX;
        b.PrintOriginY = OriginY;
        b.PreviewOffsetX = PreviewX;
        b.PreviewOffsetY = PreviewY;
        b.PrintSize = Size;
        b.PrintOrientation = Orientation;
        b.PrinterIndex = PrinterIndex;
        b.PrintScale = Scale;
        b.PrintCentred = Centred;
        b.PrintBlackWhiteOption = BlackWhite;
        b.PrintBackground = Background;
        b.PrintHeadline = Headline;
        b.PrintTextLines = Lines;
    }
};

void ApplyPrinter(QPrinter& printer, const TPlatine& board)
{
    SelectPrinter(printer, board.PrinterIndex < PrinterCount() ? board.PrinterIndex : -1);
    printer.setPageOrientation(board.PrintOrientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

}   // namespace

double PrintScaleOf(Integer size)
{
    return std::exp(std::log(10.0) * (200 - size) / 100.0) / 10.0;
}

double PrintFactorOf(Integer size)
{
    // A new board's position; its print-out fills the page.
    constexpr Integer filling = 120;
    return PrintScaleOf(size) / PrintScaleOf(filling);
}

// ---- The preview dialog

void TBoardPreviewBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (OnPaint)
        OnPaint(painter);
}

void TBoardPreviewBox::mousePressEvent(QMouseEvent* event)
{
    last_ = event->position().toPoint();
}

void TBoardPreviewBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint at = event->position().toPoint();
    if (OnDrag)
        OnDrag(at.x() - last_.x(), at.y() - last_.y());
    last_ = at;
}

TBoardPreviewDlg::TBoardPreviewDlg(QPrinter& printer, QWidget* parent) : TModalForm(parent), Printer(printer)
{
    setObjectName("PreviewDlg");
    setWindowTitle(Text("Druckvorschau", "Print preview", "Aperçu avant impression"));
    auto* row = new QHBoxLayout(this);
    pvPaintBox = new TBoardPreviewBox(this);
    pvPaintBox->setObjectName("pvPaintBox");
    pvPaintBox->setCursor(Qt::SizeAllCursor);
    row->addWidget(pvPaintBox, 0, Qt::AlignTop);
    auto* size = new QVBoxLayout;
    row->addLayout(size);
    LB_Size = new QLabel(this);
    LB_Size->setObjectName("LB_Size");
    ZoomScroller = new QScrollBar(Qt::Vertical, this);
    ZoomScroller->setObjectName("ZoomScroller");
    ZoomScroller->setRange(0, 200);
    ZoomScroller->setPageStep(10);
    LB_Size->setBuddy(ZoomScroller);
    size->addWidget(LB_Size);
    size->addWidget(ZoomScroller, 1, Qt::AlignHCenter);
    auto* column = new QVBoxLayout;
    row->addLayout(column);
    CB_SW = new QCheckBox(Text("s/w-&Druck", "&Black and white", "&Noir et blanc"), this);
    CB_SW->setObjectName("CB_SW");
    CB_Mitte = new QCheckBox(Text("Seitenmitte", "Centre of page", "Centre de la page"), this);
    CB_Mitte->setObjectName("CB_Mitte");
    CB_Mitte->setChecked(true);
    cb_Hintergrund = new QCheckBox(Text("Hintergrund", "Background", "Arrière-plan"), this);
    cb_Hintergrund->setObjectName("cb_Hintergrund");
    TextBtn = new QPushButton(Text("&Beschriftung...", "&Caption...", "&Légende..."), this);
    TextBtn->setObjectName("TextBtn");
    SetupBtn = new QPushButton(Text("Drucker...", "Printer...", "Imprimante..."), this);
    SetupBtn->setObjectName("SetupBtn");
    PrintBtn = new QPushButton(Text("Drucken", "Print", "Imprimer"), this);
    PrintBtn->setObjectName("PrintBtn");
    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName("OKBtn");
    CancelBtn = new QPushButton(Text("&Abbrechen", "&Cancel", "&Annuler"), this);
    CancelBtn->setObjectName("CancelBtn");
    for (QWidget* w : {static_cast<QWidget*>(CB_SW), static_cast<QWidget*>(CB_Mitte),
                       static_cast<QWidget*>(cb_Hintergrund), static_cast<QWidget*>(TextBtn), static_cast<QWidget*>(SetupBtn)})
        column->addWidget(w);
    column->addStretch(1);
    for (QWidget* w : {PrintBtn, OKBtn, CancelBtn})
        column->addWidget(w);
    connect(PrintBtn, &QPushButton::clicked, this, [this] { PrintBtnClick(); });
    SetModalResult(OKBtn, mrOk);
    SetModalResult(CancelBtn, mrCancel);

    pvPaintBox->OnPaint = [this](QPainter& painter) {
        painter.fillRect(pvPaintBox->rect(), Qt::white);
        painter.translate(PrintableArea().topLeft());
        if (OnPaint)
            OnPaint(painter);
    };
    pvPaintBox->OnDrag = [this](int dx, int dy) {
        PreviewOffsetX = std::clamp<Integer>(PreviewOffsetX + dx, -1000000, 1000000);
        PreviewOffsetY = std::clamp<Integer>(PreviewOffsetY + dy, -1000000, 1000000);
        pvPaintBox->update();
    };
    connect(ZoomScroller, &QScrollBar::valueChanged, this, [this] {
        ShowSize();
        if (OnSizeChanged)
            OnSizeChanged();
        pvPaintBox->update();
    });
    ShowSize();
    for (QCheckBox* box : {CB_SW, CB_Mitte, cb_Hintergrund})
        connect(box, &QCheckBox::toggled, pvPaintBox, qOverload<>(&QWidget::update));
    connect(TextBtn, &QPushButton::clicked, this, [this] { TextBtnClick(); });
    connect(SetupBtn, &QPushButton::clicked, this, [this] {
        if (ExecutePrintDialog(Printer))
            FitPaintBoxToPage();
    });
    FitPaintBoxToPage();
}

TBoardPreviewDlg::~TBoardPreviewDlg() = default;

void TBoardPreviewDlg::FitPaintBoxToPage()
{
    const QSizeF page = Printer.pageLayout().fullRectPoints().size();
    constexpr int Longer = 424;
    if (page.width() <= 0 || page.height() <= 0)
        pvPaintBox->setFixedSize(300, Longer);
    else if (page.height() >= page.width())
        pvPaintBox->setFixedSize(Round(Longer * page.width() / page.height()), Longer);
    else
        pvPaintBox->setFixedSize(Longer, Round(Longer * page.height() / page.width()));
    pvPaintBox->update();
}

QRect TBoardPreviewDlg::PrintableArea() const
{
    const QPageLayout layout = Printer.pageLayout();
    const QRect page = layout.fullRectPoints();
    const QRect printable = layout.paintRectPoints();
    if (page.width() <= 0 || page.height() <= 0)
        return pvPaintBox->rect();
    const double x = static_cast<double>(pvPaintBox->width()) / page.width();
    const double y = static_cast<double>(pvPaintBox->height()) / page.height();
    return QRect(Round((printable.left() - page.left()) * x), Round((printable.top() - page.top()) * y),
                 Round(printable.width() * x), Round(printable.height() * y));
}

void TBoardPreviewDlg::ShowSize()
{
    const QString caption = Text("&Größe: %1 %", "&Size: %1 %", "&Taille : %1 %");
    // Room for the largest size, so that moving the bar neither cuts the
    // caption nor moves the controls.
    if (LB_Size->minimumWidth() == 0) {
        LB_Size->setText(caption.arg(Round(100 * PrintFactorOf(ZoomScroller->minimum()))));
        LB_Size->setMinimumWidth(LB_Size->sizeHint().width());
    }
    LB_Size->setText(caption.arg(Round(100 * PrintFactorOf(ZoomScroller->value()))));
}

void TBoardPreviewDlg::PrintBtnClick()
{
    // Without a printer the job would go nowhere: the dialog stays open for
    // the user to choose one, or a file, under "Drucker...".
    if (!PrinterReady(Printer)) {
        MessageBox(QStringToAnsi(Text("Es ist kein Drucker verfügbar. Wählen Sie unter „Drucker...“ einen Drucker "
                                      "oder den Druck in eine Datei (PDF).",
                                      "No printer is available. Under \"Printer...\", choose a printer or printing to a "
                                      "file (PDF).",
                                      "Aucune imprimante n'est disponible. Sous « Imprimante... », choisissez une "
                                      "imprimante ou l'impression dans un fichier (PDF).")),
                   "Zentrika", MB_OK | MB_ICONINFORMATION);
        return;
    }
    done(mrPrint);
}

void TBoardPreviewDlg::TextBtnClick()
{
    TModalForm dialog(this);
    dialog.setObjectName("CaptionDlg");
    dialog.setWindowTitle(Text("Beschriftung", "Caption", "Légende"));
    auto* column = new QVBoxLayout(&dialog);
    auto* headline = new QLineEdit(Headline, &dialog);
    headline->setObjectName("HeadlineEdit");
    auto* memo = new QPlainTextEdit(TextLines.join('\n'), &dialog);
    memo->setObjectName("Memo1");
    auto* ok = new QPushButton(QStringLiteral("&OK"), &dialog);
    auto* cancel = new QPushButton(Text("&Abbrechen", "&Cancel", "&Annuler"), &dialog);
    dialog.SetModalResult(ok, mrOk);
    dialog.SetModalResult(cancel, mrCancel);
    column->addWidget(headline);
    column->addWidget(memo);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
    if (dialog.ShowModal() != mrOk)
        return;
    Headline = headline->text();
    TextLines = memo->toPlainText().split('\n');
    if (OnTextsChanged)
        OnTextsChanged();
}

// ---- Drawing the board

void PaintBoardForPrint(TPlatine& board, QPainter& painter, QSize area, bool blackAndWhite, TBoardPreviewDlg* preview)
{
    // k: device pixels per board unit. The objects' box fills the area's
    // width, or its height when the box is the taller; the size bar scales
    // that. Offsets are in board units.
    const TRect objects = board.GetObjectsRect(false);
    const double width = objects.Right - objects.Left;
    const double height = objects.Bottom - objects.Top;
    if (width <= 0 || height <= 0)
        return;
    const Integer size = preview ? preview->ZoomScroller->value() : board.PrintSize;
    const double k = std::min(area.width() / width, area.height() / height) * PrintFactorOf(size);
    if (!std::isfinite(k) || k <= 0)
        return;
    Integer offsetX = board.PrintOriginX;
    Integer offsetY = board.PrintOriginY;
    if (preview) {
        offsetX = Round(preview->PreviewOffsetX / k);
        offsetY = Round(preview->PreviewOffsetY / k);
    }
    if (preview ? preview->CB_Mitte->isChecked() : board.PrintCentred) {
        offsetX = Round(area.width() / 2.0 / k - objects.Left - width / 2.0);
        offsetY = Round(area.height() / 2.0 / k - objects.Top - height / 2.0);
        if (preview) {
            preview->PreviewOffsetX = Round(k * offsetX);
            preview->PreviewOffsetY = Round(k * offsetY);
        }
    }
    // The print-out takes the last preview's placement.
    if (preview) {
        board.PrintOriginX = offsetX;
        board.PrintOriginY = offsetY;
    }

    TCanvas canvas(painter);
    canvas.SelectPalette(board.BoardPalette);
    canvas.SetMapMode(TMapMode::MM_ANISOTROPIC);
    // Extents fine enough for k's digits, small enough for 32 bits.
    const Integer window = Round(std::min(1.0e6, 1.0e9 / k));
    canvas.SetWindowExt(window, window);
    canvas.SetWindowOrg(0, 0);
    const Integer viewport = std::max<Integer>(Round(k * window), 1);
    canvas.SetViewportExt(viewport, viewport);
    canvas.SetViewportOrg(Round(offsetX * k), Round(offsetY * k));
    board.PrintMode = blackAndWhite;
    ColourDrawing = !blackAndWhite;
    GradientBodies = !blackAndWhite;
    board.DrawObjects(canvas);
    board.PrintMode = false;
    ColourDrawing = true;
    GradientBodies = true;
}

QPrinter& BoardPrinter()
{
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

void PrintBoard(TForm1& form)
{
    if (!form.CurrentBoard)
        return;
    TPlatine& board = *form.CurrentBoard;
    board.SelectAll(false);
    QPrinter& printer = BoardPrinter();
    ApplyPrinter(printer, board);

    const TPrintSettings before = TPrintSettings::Of(board);
    TBoardPreviewDlg dialog(printer, &form);
    dialog.Headline = AnsiToQString(board.PrintHeadline);
    for (const AnsiString& line : board.PrintTextLines)
        dialog.TextLines << AnsiToQString(line);
    dialog.CB_Mitte->setChecked(board.PrintCentred);
    dialog.CB_SW->setChecked(board.PrintBlackWhiteOption);
    dialog.cb_Hintergrund->setChecked(board.PrintBackground);
    dialog.ZoomScroller->setValue(std::clamp<Integer>(board.PrintSize, 0, 200));
    dialog.PreviewOffsetX = board.PreviewOffsetX;
    dialog.PreviewOffsetY = board.PreviewOffsetY;
    // The stored scale stays as it is until the user moves the size bar; it
    // goes to the project file, the drawing follows the size position.
    dialog.OnPaint = [&](QPainter& painter) {
        PaintBoardForPrint(board, painter, dialog.PrintableArea().size(), dialog.CB_SW->isChecked(), &dialog);
    };
    dialog.OnTextsChanged = [&] {
        board.PrintHeadline = QStringToAnsi(dialog.Headline);
        board.PrintTextLines.clear();
        for (const QString& line : dialog.TextLines)
            board.PrintTextLines.push_back(QStringToAnsi(line));
    };
    dialog.OnSizeChanged = [&] { board.PrintScale = PrintScaleOf(dialog.ZoomScroller->value()); };
    // Not offered for the board.
    dialog.cb_Hintergrund->hide();
    dialog.TextBtn->hide();

    const Integer result = dialog.ShowModal();
    dialog.OnPaint = nullptr;
    dialog.OnTextsChanged = nullptr;
    dialog.OnSizeChanged = nullptr;
    if (result == mrCancel || result == mrNone) {
        before.Into(board);
        return;
    }
    board.PrintOrientation = (printer.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0) & 0x7F;
    board.PrinterIndex = PrinterIndexOf(printer);
    board.PrintCentred = dialog.CB_Mitte->isChecked();
    board.PrintBlackWhiteOption = dialog.CB_SW->isChecked();
    board.PrintBackground = dialog.cb_Hintergrund->isChecked();
    board.PrintSize = dialog.ZoomScroller->value();
    board.PreviewOffsetX = dialog.PreviewOffsetX;
    board.PreviewOffsetY = dialog.PreviewOffsetY;
    if (result != mrPrint)
        return;

    // The printer stays as the dialog left it: applying the board's printer
    // again would undo a file the user chose to print to.
    printer.setDocName(QStringLiteral("Zentrika"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        MessageBox(QStringToAnsi(Text("Der Drucker kann nicht benutzt werden.", "The printer cannot be used.",
                                      "Impossible d'utiliser l'imprimante.")),
                   "Zentrika", MB_OK | MB_ICONERROR);
        return;
    }
    PaintBoardForPrint(board, painter, QSize(printer.width(), printer.height()), board.PrintBlackWhiteOption, nullptr);
    painter.end();
}

void PrintTextLines(const QStringList& lines, const QFont& font)
{
    QPrinter printer(QPrinter::HighResolution);
    SelectPrinter(printer, -1);
    if (!ExecutePrintDialog(printer))
        return;
    printer.setDocName(QStringLiteral("Zentrika"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        MessageBox(QStringToAnsi(Text("Der Drucker kann nicht benutzt werden.", "The printer cannot be used.",
                                      "Impossible d'utiliser l'imprimante.")),
                   "Zentrika", MB_OK | MB_ICONERROR);
        return;
    }
    QFont paperFont = font;
    paperFont.setPixelSize(std::max(printer.logicalDpiX() / 7, 1));
    painter.setFont(paperFont);
    const QFontMetrics metrics(paperFont, &printer);
    const int lineHeight = metrics.height();
    const int tab = metrics.horizontalAdvance(QLatin1Char(' ')) * 8;
    int y = 3 * lineHeight;
    for (const QString& line : lines) {
        if (y + lineHeight > printer.height()) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(QPoint(tab, y + metrics.ascent()), line);
        y += lineHeight;
    }
    painter.end();
}
