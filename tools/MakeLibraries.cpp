// Writes the library file of every category from the list of class names in
// resources/categories.txt, the way the library-building aid of the main
// window does: each class is created by its registered name (a device class
// inside a hardware component), the objects stand on a board that writes no
// element data, and the file is an ordinary library file with empty panel
// records. Library files of the folder that the list no longer names are
// removed, so the folder always matches the list and the registered classes.
//
// Usage: zk_make_libraries <list file> <library folder>
#include "platform/AnsiText.h"
#include "platform/ClassRegistry.h"
#include "project/ProjectFile.h"
#include "tools/ToolStartup.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <string>
#include <vector>

namespace {

struct TLibrary {
    AnsiString File;
    std::vector<AnsiString> Classes;
};

// "[file.bib]" starts a library; every other line that is not empty and does
// not start with "#" names a class of the library above it.
std::vector<TLibrary> ReadList(const QString& listFile)
{
    QFile file(listFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + listFile.toStdString());
    std::vector<TLibrary> libraries;
    QTextStream in(&file);
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            libraries.push_back({line.mid(1, line.size() - 2).trimmed().toStdString(), {}});
        } else if (libraries.empty()) {
            throw std::runtime_error("line " + std::to_string(lineNumber) + ": a class before the first library");
        } else {
            libraries.back().Classes.push_back(line.toStdString());
        }
    }
    return libraries;
}

} // namespace

int main(int argc, char** argv)
{
    return RunTool(argc, argv, argc == 3, "<list file> <library folder>", [argv] {
        const std::vector<TLibrary> libraries = ReadList(QString::fromLocal8Bit(argv[1]));
        const QString folder = QString::fromLocal8Bit(argv[2]);
        CreateFolder(folder);
        QStringList listed;
        for (const TLibrary& library : libraries) {
            WriteLibraryFile(QStringToAnsi(QDir(folder).filePath(QString::fromStdString(library.File))),
                             library.Classes);
            listed << QString::fromStdString(library.File);
        }
        for (const QString& file : QDir(folder).entryList({"*.bib"}, QDir::Files))
            if (!listed.contains(file))
                QFile::remove(QDir(folder).filePath(file));
    });
}
