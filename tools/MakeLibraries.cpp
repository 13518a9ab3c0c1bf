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
#include "shell/ComponentClasses.h"
#include "project/ProjectFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>
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
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <list file> <library folder>\n", argv[0]);
        return 2;
    }
    // Components may measure texts: a headless GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        RegisterBaseClasses();
        RegisterComponentClasses();

        const std::vector<TLibrary> libraries = ReadList(QString::fromLocal8Bit(argv[1]));
        const QString folder = QString::fromLocal8Bit(argv[2]);
        if (!QDir().mkpath(folder))
            throw std::runtime_error("cannot create " + folder.toStdString());
        QStringList listed;
        for (const TLibrary& library : libraries) {
            WriteLibraryFile(QStringToAnsi(QDir(folder).filePath(QString::fromStdString(library.File))),
                             library.Classes);
            listed << QString::fromStdString(library.File);
        }
        for (const QString& file : QDir(folder).entryList({"*.bib"}, QDir::Files))
            if (!listed.contains(file))
                QFile::remove(QDir(folder).filePath(file));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
    return 0;
}
