// Every print job reaches its printer through these functions. A TPrintHook
// sends the jobs to PDF files instead and answers the print dialog, so
// printing runs headless.
#pragma once

#include "platform/SysTypes.h"

#include <QString>

#include <vector>

class QPrinter;

// The installed printers' count.
Integer PrinterCount();
// The printer of the index among the installed ones; an index beyond them
// (or -1) gives the default printer.
void SelectPrinter(QPrinter& printer, Integer index);
// The index of the printer's printer among the installed ones, -1 for none.
Integer PrinterIndexOf(const QPrinter& printer);
// The system's print dialog on the printer; true on OK.
bool ExecutePrintDialog(QPrinter& printer);
// Whether a job on the printer has somewhere to go: a file the user chose, or
// one of the installed printers.
bool PrinterReady(const QPrinter& printer);

class TPrintHook {
public:
    // Jobs go to pdfFile; the print dialog answers answer. An empty pdfFile
    // stands for a machine without printers where no file was chosen yet.
    explicit TPrintHook(QString pdfFile, bool answer = true);
    ~TPrintHook();
    TPrintHook(const TPrintHook&) = delete;
    TPrintHook& operator=(const TPrintHook&) = delete;

    QString PdfFile;
    bool Answer;
    Integer DialogsShown = 0;

private:
    TPrintHook* previous_;
};
