// Printing the shown board through the print preview, and the preview
// dialog itself: a picture of the page, a size bar, black-and-white,
// centring and background options, and the caption texts.
#pragma once

#include "dialogs/ModalForm.h"
#include "platform/SysTypes.h"

#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QScrollBar;
class TCanvas;
class TForm1;
class TPlatine;

// The preview dialog's "Drucken" result (the class library's mrYes).
inline constexpr Integer mrPrint = 6;

// Scale from the size position 0..200: 10 at 0, 1 at 100, 0.1 at 200 (the
// board's stored PrintScale).
double PrintScaleOf(Integer size);
// The size of the print-out from the size position, relative to the drawing
// filling the page: 1 at a new board's position 120, ten times larger 100
// positions up, a tenth 100 down.
double PrintFactorOf(Integer size);

class TBoardPreviewBox : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    std::function<void(QPainter&)> OnPaint;
    // A drag moves the picture by the mouse's way.
    std::function<void(int dx, int dy)> OnDrag;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPoint last_;
};

class TBoardPreviewDlg : public TModalForm {
    Q_OBJECT
public:
    explicit TBoardPreviewDlg(QPrinter& printer, QWidget* parent = nullptr);
    ~TBoardPreviewDlg() override;

    QPrinter& Printer;
    TBoardPreviewBox* pvPaintBox = nullptr;
    QScrollBar* ZoomScroller = nullptr;
    // The size bar's caption with the size in per cent of the filled page.
    QLabel* LB_Size = nullptr;
    QCheckBox* CB_SW = nullptr;
    QCheckBox* CB_Mitte = nullptr;
    QCheckBox* cb_Hintergrund = nullptr;
    QPushButton* TextBtn = nullptr;
    QPushButton* SetupBtn = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    // The caption dialog's texts.
    QString Headline;
    QStringList TextLines;
    Integer PreviewOffsetX = 0;
    Integer PreviewOffsetY = 0;

    std::function<void(QPainter&)> OnPaint;
    std::function<void()> OnTextsChanged;
    std::function<void()> OnSizeChanged;

    // The paint box takes the page's proportions.
    void FitPaintBoxToPage();
    // The page's printable area within the paint box.
    QRect PrintableArea() const;
    // The caption dialog: headline and lines; OK takes them.
    void TextBtnClick();
    // Closes with mrPrint, or says what to do when there is no printer.
    void PrintBtnClick();

private:
    void ShowSize();
};

// Draws the board's objects into the printable area (its size in device
// pixels) of a printer page or of the preview (with the dialog's options and
// offsets). The view's zoom plays no part.
void PaintBoardForPrint(TPlatine& board, QPainter& painter, QSize area, bool blackAndWhite, TBoardPreviewDlg* preview);

// The print command: preview, settings back into the board unless
// cancelled, and the print-out on "Drucken".
void PrintBoard(TForm1& form);
// The printer the board print-outs use (made on first use).
QPrinter& BoardPrinter();

// The text of the bill of materials on paper: after the print dialog, in
// the text's font at a seventh of an inch, three empty lines, then every
// line after a tab.
void PrintTextLines(const QStringList& lines, const QFont& font);
