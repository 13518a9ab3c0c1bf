#include "project/ProjectFile.h"

#include "engine/Bauteil.h"
#include "engine/DeviceInterfaces.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "engine/PanelInterfaces.h"
#include "engine/Platine.h"
#include "engine/ShellHooks.h"
#include "panel/framework/Frontplatte.h"
#include "platform/AnsiText.h"
#include "platform/ClassRegistry.h"
#include "platform/FileHeader.h"
#include "platform/Paths.h"
#include "platform/SafeSave.h"
#include "platform/TextLanguage.h"
#include "project/PanelLinks.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <memory>

namespace {

constexpr std::size_t HeaderSize = 5;

} // namespace

EFileFormatError::EFileFormatError()
    : EReadError(ByLanguage("Falsches Dateiformat!", "File format mismatch!", "Format de fichier diff\u00E9rent !")),
      caption_(ByLanguage("Schaltung \u00F6ffnen", "Open circuit", "Open circuit"))
{
}

bool HeaderAccepted(const Byte header[HeaderSize])
{
    const Word version = static_cast<Word>(header[3] | header[4] << 8);
    return header[0] == 2 && header[1] == 0 && header[2] == 0 && version <= FileVersion;
}

Byte ReadProjectHeader(TReader& reader, bool compiled)
{
    if (compiled) {
        for (int i = 0; i < RunOnlyPrefixCount; ++i)
            reader.ReadInteger();
    }
    Byte header[HeaderSize];
    reader.Read(header, HeaderSize);
    if (!HeaderAccepted(header))
        throw EFileFormatError();
    return header[3];
}

void ReadProjectFile(const AnsiString& fileName, TPlatine& board, IFrontplatte* panel, TPanelLinks& links)
{
    // The links point where they did afterwards, however the read ends.
    struct TRestoreLinks {
        TPanelLinks& Links;
        IFrontplatte* Panel;
        IDesign* Design;
        ~TRestoreLinks()
        {
            Links.Panel = Panel;
            Links.Design = Design;
        }
    } restore{links, links.Panel, links.Design};
    const Byte previousVersion = LoadedFileVersion;
    if (panel) {
        links.Panel = panel;
        links.Design = panel->RootDesign();
    }
    try {
        TFileStream file(QtFileName(ResolvePath(fileName)).toStdString(), TFileMode::fmOpenRead);
        TReader reader(file);
        LoadedFileVersion = ReadProjectHeader(reader, SaveCompiled);
        board.ReadObjects(file, reader, LoadedFileVersion);
        if (panel) {
            panel->RootDesign()->ReadFromStream(file, reader, LoadedFileVersion);
            panel->RootDesign()->SortByZOrder();
            panel->ReadFromStream(file, reader, LoadedFileVersion);
        }
    } catch (...) {
        LoadedFileVersion = previousVersion;
        throw;
    }
}

void WriteProjectFile(const AnsiString& fileName, TPlatine& board, IDesign& design, IFrontplatte& panel)
{
    // A link is followed: the file it points at is replaced, the link stays.
    QString target = QtFileName(ResolvePath(fileName));
    const QFileInfo info(target);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        target = info.canonicalFilePath();
    const QByteArray temporary = TemporaryNameBeside(QFile::encodeName(target));
    const std::string temporaryName = temporary.toStdString();
    // The messages name the file the user chose, never the temporary one.
    const std::string shownName = QtFileName(fileName).toStdString();
    try {
        int err = 0;
        std::unique_ptr<TFileStream> file;
        try {
            file = std::make_unique<TFileStream>(temporaryName, TFileMode::fmCreate);
        } catch (const EStreamError& error) {
            err = error.SystemError();
        }
        if (!file)
            throw EStreamError(FileErrorMessage(shownName, true, err));
        {
            TWriter writer(*file);
            WriteFileHeader(writer, SaveCompiled);
            board.WriteObjects(*file, writer, false);
            design.WriteToStream(*file, writer);
            panel.WriteToStream(*file, writer);
            writer.FlushBuffer();
        }
        try {
            file->Flush();
        } catch (const EStreamError&) {
            throw EStreamError(TranslateLibraryMessage(SWriteError) + ": " + shownName);
        }
    } catch (...) {
        std::remove(temporaryName.c_str());
        throw;
    }
    if (info.exists())
        QFile::setPermissions(QFile::decodeName(temporary), QFile::permissions(target));
    if (!RenameOverTarget(temporary, QFile::encodeName(target))) {
        const int err = errno;
        std::remove(temporaryName.c_str());
        throw EStreamError(TranslateLibraryMessage(SWriteError) + ": " + shownName + ": " + SystemErrorText(err));
    }
}

void WriteLibraryFile(const AnsiString& fileName, const std::vector<AnsiString>& classNames)
{
    TPlatine board;
    board.WritingLibrary = true;
    // One below the other, so that a library loaded onto a board shows them apart.
    Integer y = 100;
    for (const AnsiString& name : classNames) {
        TBauteil* object = CreateLibraryObject(name);
        object->X = 100;
        object->Y = y;
        if (auto* component = dynamic_cast<TIOBauteil*>(object))
            component->LayoutPins();
        board.InsertObject(object);
        y = board.SnapToGrid(TPoint{0, object->GetBounds().Bottom + 100}).Y;
    }
    TFrontplatte panel;
    panel.ResetToNewProject();
    WriteProjectFile(fileName, board, *panel.RootDesign(), panel);
}

TBauteil* CreateLibraryObject(const AnsiString& className)
{
    std::unique_ptr<TPersistent> object(CreateObjectByName(className));
    if (auto* component = dynamic_cast<TBauteil*>(object.get())) {
        object.release();
        component->AfterConstruction();
        return component;
    }
    auto* device = dynamic_cast<IDevice*>(object.get());
    if (!device)
        throw EClassNotFound(ClassNotFoundMessage(AnsiToQString(className).toStdString()));
    if (!ShellHooks.CreateHardwareHolding)
        throw EClassNotFound(PlatformText<std::string>("Keine Hardware-Komponente f\u00FCr ", "No hardware component for ",
                                                       "Aucun composant mat\u00E9riel pour ") +
                             AnsiToQString(className).toStdString());
    // The hardware component takes the device over.
    object.release();
    std::unique_ptr<IDevice> owned(device);
    TBauteil* hardware = ShellHooks.CreateHardwareHolding(device);
    owned.release();
    return hardware;
}
