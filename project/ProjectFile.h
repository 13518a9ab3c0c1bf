// Project, macro and library files as a whole: the header check, reading a
// file into a fresh board and panel, writing a file so that the previous one
// survives any failure, and the error of a file that is none of this
// program's files. The main window, the compiler, the tools and the tests
// all read and write projects here.
#pragma once

#include "platform/Stream.h"

#include <string>
#include <vector>

class IDesign;
class IFrontplatte;
class TBauteil;
class TPanelLinks;
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

// Reads the header (after the run-only prefix when compiled is set) and
// answers its version byte; a header not accepted raises EFileFormatError.
Byte ReadProjectHeader(TReader& reader, bool compiled);

// Reads a project, macro or library file (with the run-only prefix while
// SaveCompiled is set) into a fresh board, whose handlers are the links',
// and, unless panel is null (a library read onto a board), a fresh panel:
// the board block, then the design and window blocks. While it reads, the
// links fill the fresh panel; afterwards they point where they did.
// LoadedFileVersion takes the file's version byte. A foreign header raises
// EFileFormatError, a damaged or short file the stream error; then
// LoadedFileVersion is as it was and the caller frees the fresh board and
// panel (the board first: its components' elements leave the panel), so the
// open project stays as it was.
void ReadProjectFile(const AnsiString& fileName, TPlatine& board, IFrontplatte* panel, TPanelLinks& links);

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

// Making components by class name for the library and the component search:
// a component class gives the component, a device class a hardware
// component that holds the device. Raises the registry's class error for an
// unknown or abstract name and for a class that is neither a board object
// nor a device, and EClassNotFound for a device while no hardware component
// can hold one.
TBauteil* CreateLibraryObject(const AnsiString& className);
