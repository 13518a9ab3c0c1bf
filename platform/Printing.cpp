#include "platform/Printing.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

TPrintHook* CurrentHook = nullptr;

void ToPdf(QPrinter& printer)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(CurrentHook->PdfFile);
}

}   // namespace

Integer PrinterCount()
{
    return CurrentHook ? 0 : static_cast<Integer>(QPrinterInfo::availablePrinterNames().size());
}

void SelectPrinter(QPrinter& printer, Integer index)
{
    if (CurrentHook) {
        ToPdf(printer);
        return;
    }
    const QStringList names = QPrinterInfo::availablePrinterNames();
    QString name = index >= 0 && index < names.size() ? names[index] : QPrinterInfo::defaultPrinterName();
    if (name.isEmpty()) {
        // No printer at all: the job becomes a PDF file beside the others the user chose.
        printer.setOutputFormat(QPrinter::PdfFormat);
        return;
    }
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
}

Integer PrinterIndexOf(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return -1;
    return static_cast<Integer>(QPrinterInfo::availablePrinterNames().indexOf(printer.printerName()));
}

bool ExecutePrintDialog(QPrinter& printer)
{
    if (CurrentHook) {
        ++CurrentHook->DialogsShown;
        ToPdf(printer);
        return CurrentHook->Answer;
    }
    QPrintDialog dialog(&printer);
    return dialog.exec() == QDialog::Accepted;
}

bool PrinterReady(const QPrinter& printer)
{
    if (!printer.outputFileName().isEmpty())
        return true;
    if (CurrentHook)
        return false;
    return printer.outputFormat() == QPrinter::NativeFormat &&
           QPrinterInfo::availablePrinterNames().contains(printer.printerName());
}

TPrintHook::TPrintHook(QString pdfFile, bool answer) : PdfFile(std::move(pdfFile)), Answer(answer), previous_(CurrentHook)
{
    CurrentHook = this;
}

TPrintHook::~TPrintHook()
{
    CurrentHook = previous_;
}
