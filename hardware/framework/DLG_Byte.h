// The byte-sequence table of the serial send components: 256 definitions
// ($00 .. $FF) in a grid, with the hexadecimal preview of the current row.
// The caller fills column 1 before showing and reads it after OK.
#pragma once

#include "dialogs/DLG_Sync.h"

class TEditGrid;

class TByte_Dlg : public TByteSequenceDlg {
    Q_OBJECT
public:
    static constexpr Integer SequenceCount = 256;

    explicit TByte_Dlg();

    TEditGrid* Grid;   // row n: " $" and n in two hex digits, the definition of n

protected:
    // The current row's bytes.
    void UpdatePreview() override;
};

// The program's one byte-sequence dialog, created on first use and kept for
// the program's life.
TByte_Dlg& Byte_Dlg();
