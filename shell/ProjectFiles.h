// Project, macro and library files as a whole: the header check, writing a
// file so that the previous one survives any failure, and the error of a file
// that is none of this program's files.
#pragma once

#include "platform/Stream.h"

#include <string>
#include <vector>

class IDesign;
class IFrontplatte;
class TPlatine;

// A file whose header is not this program's, or whose format is newer than
// this program reads. what() is the message of the current language (UTF-8).
class EFileFormatError : public EReadError {
public:
    EFileFormatError();
    // The title of its message box.
    const std::string& Caption() const { return caption_; }

private:
    std::string caption_;
};

// The five header bytes are 2, 0, 0 and a file version this program reads.
bool HeaderAccepted(const Byte header[5]);

// The stream of a project, macro or library file: the header (with the
// run-only prefix while SaveCompiled is set), the board block, the design
// block and the panel window block. It is written to a new file in the
// target's folder, flushed to the disk and renamed over the target (which
// keeps its permissions); on any failure the new file is removed, the
// previous file is left as it was and the error is raised.
void WriteProjectFile(const AnsiString& fileName, TPlatine& board, IDesign& design, IFrontplatte& panel);

// A library file of one object per class name (a component class, or a
// device class inside a hardware component), one below the other, with the
// records of an empty panel.
void WriteLibraryFile(const AnsiString& fileName, const std::vector<AnsiString>& classNames);
