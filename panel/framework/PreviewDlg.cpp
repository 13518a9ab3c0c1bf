#include "panel/framework/PreviewDlg.h"

#include "engine/Language.h"
#include "platform/AnsiText.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollBar>

TPreviewDlg::TPreviewDlg(QWidget* parent) : TModalForm(parent)
{
    setObjectName("PreviewDlg");
    SetCaption(QStringToAnsi(QString::fromUtf8(ByLanguage("Druckvorschau", "Print preview", "Aperçu avant impression"))));
    resize(640, 520);
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    pvPaintBox = new QWidget(this);
    pvPaintBox->setObjectName("pvPaintBox");
    pvPaintBox->setMinimumSize(300, 400);
    pvPaintBox->installEventFilter(this);
    left->addWidget(pvPaintBox, 1);
    ZoomScroller = new QScrollBar(Qt::Horizontal, this);
    ZoomScroller->setObjectName("ZoomScroller");
    ZoomScroller->setRange(0, 200);
    ZoomScroller->setValue(100);
    left->addWidget(ZoomScroller);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    auto text = [](const char* de, const char* en, const char* fr) { return QString::fromUtf8(ByLanguage(de, en, fr)); };
    right->addWidget(new QLabel(text("Überschrift", "Headline", "Titre"), this));
    HeadlineEdit = new QLineEdit(this);
    HeadlineEdit->setObjectName("HeadlineEdit");
    right->addWidget(HeadlineEdit);
    right->addWidget(new QLabel(text("Kommentar", "Comment", "Commentaire"), this));
    CommentMemo = new QPlainTextEdit(this);
    CommentMemo->setObjectName("CommentMemo");
    right->addWidget(CommentMemo);
    CB_Mitte = new QCheckBox(text("Seitenmitte", "Centre of page", "Centre de la page"), this);
    CB_Mitte->setObjectName("CB_Mitte");
    CB_SW = new QCheckBox(text("Schwarz/Weiss", "Black/white", "Noir/blanc"), this);
    CB_SW->setObjectName("CB_SW");
    cb_Hintergrund = new QCheckBox(text("Hintergrund", "Background", "Arrière-plan"), this);
    cb_Hintergrund->setObjectName("cb_Hintergrund");
    for (QCheckBox* box : {CB_Mitte, CB_SW, cb_Hintergrund})
        right->addWidget(box);
    SetupButton = new QPushButton(text("Drucker...", "Printer...", "Imprimante..."), this);
    SetupButton->setObjectName("SetupButton");
    right->addWidget(SetupButton);
    right->addStretch(1);
    PrintButton = new QPushButton(text("Drucken", "Print", "Imprimer"), this);
    PrintButton->setObjectName("PrintButton");
    OKButton = new QPushButton(QStringLiteral("&OK"), this);
    OKButton->setObjectName("OKButton");
    CancelButton = new QPushButton(text("&Abbrechen", "&Cancel", "&Annuler"), this);
    CancelButton->setObjectName("CancelButton");
    for (QPushButton* button : {PrintButton, OKButton, CancelButton})
        right->addWidget(button);
    layout->addLayout(right);
    SetModalResult(PrintButton, mrPrint);
    SetModalResult(OKButton, mrOk);
    SetModalResult(CancelButton, mrCancel);

    auto textChanged = [this] {
        if (OnTextChanged)
            OnTextChanged();
        pvPaintBox->update();
    };
    connect(HeadlineEdit, &QLineEdit::textChanged, this, textChanged);
    connect(CommentMemo, &QPlainTextEdit::textChanged, this, textChanged);
    connect(CB_Mitte, &QCheckBox::toggled, pvPaintBox, qOverload<>(&QWidget::update));
    connect(ZoomScroller, &QScrollBar::valueChanged, this, [this] {
        if (OnZoomChanged)
            OnZoomChanged();
        pvPaintBox->update();
    });
    connect(SetupButton, &QPushButton::clicked, this, [this] {
        QPrinter printer;
        const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
        if (PrinterIndex >= 0 && PrinterIndex < printers.size())
            printer.setPrinterName(printers[PrinterIndex].printerName());
        printer.setPageOrientation(Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        Orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
        PrinterIndex = -1;
        for (int i = 0; i < printers.size(); ++i)
            if (printers[i].printerName() == printer.printerName())
                PrinterIndex = i;
        pvPaintBox->update();
    });
}

AnsiString TPreviewDlg::Headline() const
{
    return QStringToAnsi(HeadlineEdit->text());
}

void TPreviewDlg::SetHeadline(const AnsiString& text)
{
    HeadlineEdit->setText(AnsiToQString(text));
}

std::vector<AnsiString> TPreviewDlg::Comment() const
{
    std::vector<AnsiString> lines;
    const QString all = CommentMemo->toPlainText();
    if (all.isEmpty())
        return lines;
    for (const QString& line : all.split('\n'))
        lines.push_back(QStringToAnsi(line));
    return lines;
}

void TPreviewDlg::SetComment(const std::vector<AnsiString>& lines)
{
    QStringList all;
    for (const AnsiString& line : lines)
        all << AnsiToQString(line);
    CommentMemo->setPlainText(all.join('\n'));
}

bool TPreviewDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != pvPaintBox)
        return TModalForm::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(pvPaintBox);
        if (OnRepaint)
            OnRepaint(painter);
        return true;
    }
    case QEvent::MouseButtonPress:
        dragStart_ = static_cast<QMouseEvent*>(event)->position().toPoint();
        dragging_ = true;
        return true;
    case QEvent::MouseMove:
        if (dragging_ && !CB_Mitte->isChecked()) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            PreviewOffset += at - dragStart_;
            dragStart_ = at;
            pvPaintBox->update();
        }
        return true;
    case QEvent::MouseButtonRelease: dragging_ = false; return true;
    default: return false;
    }
}
