// Printing the board: the size formula, the preview dialog's OK, Cancel and
// "Drucken", the print-out as a PDF whose rasterised page shows the board's
// objects where the settings put them, and print settings from files.
#include "shell/ShellFixture.h"
#include "support/TestBoard.h"

#include "components/digital/BT_Gatter.h"
#include "platform/AnsiText.h"
#include "platform/Dialogs.h"
#include "platform/Printing.h"
#include "shell/BoardPrint.h"
#include "shell/MaterialsList.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include <cmath>

namespace {

class BoardPrintTest : public TShellFixture {
protected:
    void SetUp() override
    {
        TShellFixture::SetUp();
        TForm1::RegisterComponentClasses();
    }

    TIOBauteil* PutGate(TForm1& form, Integer x, Integer y)
    {
        auto* gate = CreateComponent("TBTAnd");
        gate->X = x;
        gate->Y = y;
        gate->LayoutPins();
        form.MainBoard->InsertObject(gate);
        return gate;
    }
    // The command as the menu enables it.
    static void RunPrint(TForm1& form)
    {
        emit form.findChild<QMenu*>("Datei1")->aboutToShow();
        QAction* command = form.findChild<QAction*>("Drucken1");
        ASSERT_TRUE(command && command->isEnabled());
        command->trigger();
    }

    // The page rasterised at 72 dots per inch (one pixel per point).
    QImage Rasterise(const QString& pdf)
    {
        const QString base = Path("page");
        QProcess process;
        process.start(QStringLiteral("pdftoppm"), {"-r", "72", "-png", "-singlefile", pdf, base});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return {};
        return QImage(base + ".png");
    }
    static int PageCount(const QString& pdf)
    {
        QProcess process;
        process.start(QStringLiteral("pdfinfo"), {pdf});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            return -1;
        for (const QString& line : QString::fromLatin1(process.readAllStandardOutput()).split('\n'))
            if (line.startsWith("Pages:"))
                return line.mid(6).trimmed().toInt();
        return -1;
    }
    // Printer pixels per board unit: the objects' box fills the printable
    // area's width or height, times the size factor.
    static double PixelsPerUnit(const TPlatine& board, const QRect& printable)
    {
        const TRect objects = board.GetObjectsRect(false);
        return std::min(double(printable.width()) / (objects.Right - objects.Left),
                        double(printable.height()) / (objects.Bottom - objects.Top)) *
               PrintFactorOf(board.PrintSize);
    }
    // The box of the dark pixels.
    static QRect Ink(const QImage& image)
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
};

TEST_F(BoardPrintTest, SizePositionGivesTheScale)
{
    const struct {
        Integer Size;
        double Scale;
    } cases[] = {{0, 10.0}, {100, 1.0}, {200, 0.1}, {120, 0.631}, {50, 3.162}};
    for (const auto& c : cases)
        EXPECT_NEAR(PrintScaleOf(c.Size), c.Scale, 0.001) << c.Size;
}

TEST_F(BoardPrintTest, OkKeepsTheSettingsCancelDiscardsThemAndTheStoredScaleStaysUntilTheSizeMoves)
{
    TForm1& form = Create();
    PutGate(form, 1000, 1000);
    TPlatine& board = *form.MainBoard;
    board.PrintHeadline = "Kopf";
    board.PrintTextLines = {"eins", "zwei"};
    TPrintHook printer(Path("unused.pdf"));

    // OK without touching the size keeps the stored scale of 0.5.
    {
        TFormHook hook({[](TModalForm& shown) {
            auto& dialog = dynamic_cast<TBoardPreviewDlg&>(shown);
            EXPECT_EQ(dialog.ZoomScroller->value(), 120);
            EXPECT_TRUE(dialog.CB_Mitte->isChecked());
            EXPECT_TRUE(dialog.CB_SW->isChecked());
            EXPECT_TRUE(dialog.TextBtn->isHidden());
            EXPECT_TRUE(dialog.cb_Hintergrund->isHidden());
            dialog.OKBtn->click();
        }});
        RunPrint(form);
        EXPECT_EQ(hook.Shown().size(), 1u);
    }
    EXPECT_EQ(board.PrintSize, 120);
    EXPECT_EQ(board.PrintScale, 0.5);

    // Cancel puts everything back, the scale the size bar changed too.
    {
        TFormHook hook({[](TModalForm& shown) {
            auto& dialog = dynamic_cast<TBoardPreviewDlg&>(shown);
            dialog.ZoomScroller->setValue(100);
            dialog.CB_SW->setChecked(false);
            dialog.CB_Mitte->setChecked(false);
            dialog.CancelBtn->click();
        }});
        RunPrint(form);
    }
    EXPECT_EQ(board.PrintSize, 120);
    EXPECT_EQ(board.PrintScale, 0.5);
    EXPECT_TRUE(board.PrintBlackWhiteOption);
    EXPECT_TRUE(board.PrintCentred);

    // OK keeps them; the headline and lines pass unchanged.
    {
        TFormHook hook({[](TModalForm& shown) {
            auto& dialog = dynamic_cast<TBoardPreviewDlg&>(shown);
            dialog.ZoomScroller->setValue(100);
            dialog.CB_SW->setChecked(false);
            dialog.CB_Mitte->setChecked(false);
            dialog.PreviewOffsetX = 17;
            dialog.OKBtn->click();
        }});
        RunPrint(form);
    }
    EXPECT_EQ(board.PrintSize, 100);
    EXPECT_DOUBLE_EQ(board.PrintScale, 1.0);
    EXPECT_FALSE(board.PrintBlackWhiteOption);
    EXPECT_FALSE(board.PrintCentred);
    EXPECT_EQ(board.PreviewOffsetX, 17);
    EXPECT_EQ(board.PrintHeadline, "Kopf");
    EXPECT_EQ(board.PrintTextLines, (std::vector<AnsiString>{"eins", "zwei"}));
}

TEST_F(BoardPrintTest, PrintOutShowsTheBoardCentredAtTheChosenSize)
{
    TForm1& form = Create();
    PutGate(form, 1000, 1000);
    PutGate(form, 1400, 1200);
    TPlatine& board = *form.MainBoard;
    const TRect objects = board.GetObjectsRect(false);
    const QString pdf = Path("board.pdf");
    TPrintHook printer(pdf);
    {
        TFormHook hook({[](TModalForm& shown) {
            auto& dialog = dynamic_cast<TBoardPreviewDlg&>(shown);
            dialog.ZoomScroller->setValue(150);    // half the filled page
            dialog.pvPaintBox->grab();             // the preview places the picture
            dialog.PrintBtn->click();
        }});
        RunPrint(form);
    }
    EXPECT_EQ(board.PrintSize, 150);
    EXPECT_DOUBLE_EQ(board.PrintScale, PrintScaleOf(150));
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(PageCount(pdf), 1);

    const QImage page = Rasterise(pdf);
    ASSERT_FALSE(page.isNull()) << "pdftoppm (poppler-utils) is needed";
    const QRect ink = Ink(page);
    ASSERT_FALSE(ink.isEmpty());

    // Where the settings put it: the objects' box, k printer pixels per board
    // unit, centred on the printable area.
    QPrinter& used = BoardPrinter();
    const double dpi = used.resolution();
    const QRect printable = used.pageLayout().paintRectPixels(static_cast<int>(dpi));
    const double k = PixelsPerUnit(board, printable);
    const double toPoints = 72.0 / dpi;
    const double width = (objects.Right - objects.Left) * k * toPoints;
    const double height = (objects.Bottom - objects.Top) * k * toPoints;
    const double centreX = (printable.left() + printable.width() / 2.0) * toPoints;
    const double centreY = (printable.top() + printable.height() / 2.0) * toPoints;
    EXPECT_NEAR(ink.center().x(), centreX, 0.06 * width + 3);
    EXPECT_NEAR(ink.center().y(), centreY, 0.06 * height + 3);
    EXPECT_NEAR(ink.width(), width, 0.12 * width + 3);
    EXPECT_NEAR(ink.height(), height, 0.12 * height + 3);
}

TEST_F(BoardPrintTest, DefaultPrintFillsThePrintableWidthOrHeightWhateverTheViewZoom)
{
    // Two gates side by side are wider than the page is tall relative to
    // its width; two above each other are taller. The size bar scales the
    // filled page.
    const struct {
        const char* Name;
        TPoint Second;
        Integer Size;
        bool Wide;
        double Share;   // of the printable width (wide) or height (tall)
    } cases[] = {
        {"side by side", {3000, 1000}, 120, true, 1.0},
        {"above each other", {1000, 3000}, 120, false, 1.0},
        {"side by side at half", {3000, 1000}, 150, true, 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TForm1& form = Create();
        PutGate(form, 1000, 1000);
        PutGate(form, c.Second.X, c.Second.Y);
        TPlatine& board = *form.MainBoard;
        board.PrintSize = c.Size;
        QRect inks[2];
        for (int i = 0; i < 2; ++i) {
            board.SetZoom(i == 0 ? 1.0 : 20.0);
            const QString pdf = Path(QString("zoom%1.pdf").arg(i));
            TPrintHook printer(pdf);
            TFormHook hook({[](TModalForm& shown) { dynamic_cast<TBoardPreviewDlg&>(shown).PrintBtn->click(); }});
            RunPrint(form);
            const QImage page = Rasterise(pdf);
            ASSERT_FALSE(page.isNull());
            inks[i] = Ink(page);
        }
        EXPECT_EQ(inks[0], inks[1]) << "the view's zoom changed the print-out";

        QPrinter& used = BoardPrinter();
        const QRectF printable = used.pageLayout().paintRectPoints();
        const QRect& ink = inks[0];
        // The gates' bounds reach a little beyond their ink.
        const double across = c.Wide ? printable.width() : printable.height();
        const double inked = c.Wide ? ink.width() : ink.height();
        EXPECT_NEAR(inked, c.Share * across, 0.03 * across);
        EXPECT_TRUE(printable.toRect().adjusted(-1, -1, 1, 1).contains(ink));
        EXPECT_NEAR(ink.center().x(), printable.center().x(), 3);
        EXPECT_NEAR(ink.center().y(), printable.center().y(), 3);
    }
}

TEST_F(BoardPrintTest, SizeCaptionShowsThePerCentOfTheFilledPageInEachLanguage)
{
    const struct {
        Integer Language;
        Integer Size;
        const char* Caption;
    } cases[] = {
        {0, 120, "&Größe: 100 %"},
        {1, 90, "&Size: 200 %"},
        {2, 200, "&Taille : 16 %"},
        {0, 0, "&Größe: 1585 %"},
    };
    QPrinter printer;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        LanguageIndex = c.Language;
        TBoardPreviewDlg dialog(printer);
        // Laid out at a new board's size, then moved: the caption keeps its room.
        dialog.ZoomScroller->setValue(120);
        dialog.show();
        dialog.ZoomScroller->setValue(c.Size);
        EXPECT_EQ(dialog.LB_Size->text(), QString::fromUtf8(c.Caption));
        EXPECT_EQ(dialog.LB_Size->buddy(), dialog.ZoomScroller);
        EXPECT_GE(dialog.LB_Size->width(), dialog.LB_Size->sizeHint().width());
    }
    LanguageIndex = 0;
}

TEST_F(BoardPrintTest, PrintWithoutAPrinterSaysWhatToDoAndPrintingToAFileStillWorks)
{
    const struct {
        Integer Language;
        const char* Text;
    } cases[] = {
        {0, "Es ist kein Drucker verfügbar. Wählen Sie unter „Drucker...“ einen Drucker oder den Druck in eine Datei (PDF)."},
        {1, "No printer is available. Under \"Printer...\", choose a printer or printing to a file (PDF)."},
        {2, "Aucune imprimante n'est disponible. Sous « Imprimante... », choisissez une imprimante ou l'impression dans un "
            "fichier (PDF)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        TForm1& form = Create();
        LanguageIndex = c.Language;   // after the start-up, which reads the language
        PutGate(form, 1000, 1000);
        const QString pdf = Path(QString("chosen%1.pdf").arg(c.Language));
        TPrintHook noPrinter{QString()};
        TModalHook answers({TModalAnswer::Button(IDOK)});
        bool stayedOpen = false;
        TFormHook hook({[&](TModalForm& shown) {
            auto& dialog = dynamic_cast<TBoardPreviewDlg&>(shown);
            dialog.PrintBtn->click();
            stayedOpen = dialog.isVisible();
            // What the print dialog does when the user picks a file.
            dialog.Printer.setOutputFileName(pdf);
            dialog.PrintBtn->click();
        }});
        RunPrint(form);
        EXPECT_TRUE(stayedOpen);
        ASSERT_EQ(answers.Requests().size(), 1u);
        EXPECT_EQ(AnsiToQString(answers.Requests()[0].Text), QString::fromUtf8(c.Text));
        EXPECT_EQ(PageCount(pdf), 1);
        EXPECT_FALSE(Ink(Rasterise(pdf)).isEmpty());
    }
    LanguageIndex = 0;
}

TEST_F(BoardPrintTest, WithoutCentringTheDraggedPreviewPlacesThePrintOut)
{
    TForm1& form = Create();
    PutGate(form, 0, 0);
    TPlatine& board = *form.MainBoard;
    const QString pdf = Path("dragged.pdf");
    TPrintHook printer(pdf);
    {
        TFormHook hook({[](TModalForm& shown) {
            auto& dialog = dynamic_cast<TBoardPreviewDlg&>(shown);
            dialog.ZoomScroller->setValue(200);    // a sixth of the filled page
            dialog.CB_Mitte->setChecked(false);
            dialog.pvPaintBox->OnDrag(60, 90);     // the picture moved right and down
            dialog.pvPaintBox->grab();
            dialog.PrintBtn->click();
        }});
        RunPrint(form);
    }
    EXPECT_EQ(board.PreviewOffsetX, 60);
    EXPECT_EQ(board.PreviewOffsetY, 90);
    const QImage page = Rasterise(pdf);
    ASSERT_FALSE(page.isNull());
    const QRect ink = Ink(page);
    ASSERT_FALSE(ink.isEmpty());
    // The offsets scale with the page: 60 of the preview's width to the left edge.
    QPrinter& used = BoardPrinter();
    const QRect printable = used.pageLayout().paintRectPixels(used.resolution());
    const double toPoints = 72.0 / used.resolution();
    const double k = PixelsPerUnit(board, printable);
    // The gate's bounds reach a little beyond its ink (pin names, caption room).
    const TRect bounds = board.GetObjectsRect(false);
    const double left = (printable.left() + (board.PrintOriginX + bounds.Left) * k) * toPoints;
    EXPECT_GE(ink.left(), left - 1);
    EXPECT_LE(ink.left(), left + 0.2 * (bounds.Right - bounds.Left) * k * toPoints + 1);
    EXPECT_GT(ink.left(), printable.left() * toPoints + 10);
}

TEST_F(BoardPrintTest, StoredSettingsKeepTheirBytesAndDamagedOnesAreClamped)
{
    TForm1& form = Create();
    PutGate(form, 1000, 1000);
    const AnsiString first = Program() + "eins.prj";
    const AnsiString second = Program() + "zwei.prj";
    TModalHook answers([](const TModalRequest&) { return TModalAnswer::Button(IDNO); });
    form.SaveProject(first);
    ASSERT_TRUE(form.OpenProject(first));
    EXPECT_EQ(form.MainBoard->PrintSize, 120);
    EXPECT_EQ(form.MainBoard->PrintScale, 0.5);
    form.SaveProject(second);
    EXPECT_EQ(ReadFile("eins.prj"), ReadFile("zwei.prj"));

    TPlatine& board = *form.MainBoard;
    board.PrintSize = 100000;
    board.PrintScale = -4.0;
    board.PrintOriginX = 2000000000;
    board.PreviewOffsetY = -2000000000;
    board.PrintOrientation = 77;
    board.PrinterIndex = -9;
    form.SaveProject(first);
    ASSERT_TRUE(form.OpenProject(first));
    TPlatine& read = *form.MainBoard;
    EXPECT_EQ(read.PrintSize, 200);
    EXPECT_DOUBLE_EQ(read.PrintScale, 0.1);
    EXPECT_EQ(read.PrintOriginX, 1000000);
    EXPECT_EQ(read.PreviewOffsetY, -1000000);
    EXPECT_EQ(read.PrintOrientation, 1);
    EXPECT_EQ(read.PrinterIndex, -1);
}

TEST_F(BoardPrintTest, MaterialsTextPrintsAfterThePrintDialog)
{
    TForm1& form = Create();
    TSList& window = MaterialsWindow(form);
    window.Memo->setPlainText("Stückliste\n\n1x AND");
    {
        TPrintHook cancelled(Path("none.pdf"), false);
        window.SB_Print->click();
        EXPECT_EQ(cancelled.DialogsShown, 1);
    }
    EXPECT_FALSE(QFile::exists(Path("none.pdf")));
    const QString pdf = Path("list.pdf");
    TPrintHook printer(pdf);
    window.SB_Print->click();
    ASSERT_TRUE(QFile::exists(pdf));
    const QImage page = Rasterise(pdf);
    ASSERT_FALSE(page.isNull());
    const QRect ink = Ink(page);
    ASSERT_FALSE(ink.isEmpty());
    // Three empty lines above the text, a tab before it.
    const double line = 72.0 / 7;
    EXPECT_GT(ink.top(), 3 * line);
    EXPECT_GT(ink.left(), 20);
}

}   // namespace
