#include "platform/Paths.h"

#include "platform/AnsiText.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

namespace {

AnsiString& ProgramFolderOverride()
{
    static AnsiString folder;
    return folder;
}

AnsiString ExecutableFolder()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    const QString folder = QString::fromLocal8Bit(exe.parent_path().native());
    return QStringToAnsi(folder.endsWith(u'/') ? folder : folder + u'/');
}

constexpr std::string_view PathDelimiters = "\\/:";
constexpr std::string_view ExtensionDelimiters = ".\\/:";

QString ResolveQtPath(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QStringList parts = path.split(u'/');
    QStringList resolved;
    bool found = true;
    for (const QString& part : parts) {
        if (!found || part.isEmpty() || part == u"." || part == u"..") {
            resolved << part;
            continue;
        }
        // An absolute name starts with an empty part, so `base` is "" for
        // the root folder as well as before the first relative part.
        const QString base = resolved.join(u'/');
        const QString folder = resolved.isEmpty() ? QStringLiteral(".") : base.isEmpty() ? QStringLiteral("/") : base;
        const QString exact = resolved.isEmpty() ? part : base + u'/' + part;
        if (QFileInfo::exists(exact)) {
            resolved << part;
            continue;
        }
        const QStringList entries = QDir(folder).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        QString match;
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        found = !match.isEmpty();
        resolved << (found ? match : part);
    }
    return resolved.join(u'/');
}

}   // namespace

AnsiString ProgramFolder()
{
    const AnsiString& folder = ProgramFolderOverride();
    return folder.empty() ? ExecutableFolder() : folder;
}

void SetProgramFolder(std::string_view folder)
{
    AnsiString value = UnixPathName(folder);
    if (!value.empty() && value.back() != '/')
        value.push_back('/');
    ProgramFolderOverride() = value;
}

AnsiString UnixPathName(std::string_view name)
{
    AnsiString result(name);
    for (char& c : result)
        if (c == '\\')
            c = '/';
    return result;
}

QString QtFileName(std::string_view name)
{
    return AnsiToQString(UnixPathName(name));
}

AnsiString ResolvePath(std::string_view name)
{
    return QStringToAnsi(ResolveQtPath(QtFileName(name)));
}

bool FileExists(std::string_view name)
{
    return !name.empty() && QFileInfo(ResolveQtPath(QtFileName(name))).isFile();
}

bool DirectoryExists(std::string_view name)
{
    return !name.empty() && QFileInfo(ResolveQtPath(QtFileName(name))).isDir();
}

AnsiString ExtractFileName(std::string_view name)
{
    const std::size_t i = name.find_last_of(PathDelimiters);
    return AnsiString(i == std::string_view::npos ? name : name.substr(i + 1));
}

AnsiString ExtractFilePath(std::string_view name)
{
    const std::size_t i = name.find_last_of(PathDelimiters);
    return AnsiString(i == std::string_view::npos ? std::string_view() : name.substr(0, i + 1));
}

AnsiString ExtractFileExt(std::string_view name)
{
    const std::size_t i = name.find_last_of(ExtensionDelimiters);
    if (i == std::string_view::npos || name[i] != '.')
        return AnsiString();
    return AnsiString(name.substr(i));
}

AnsiString ChangeFileExt(std::string_view name, std::string_view extension)
{
    std::size_t i = name.find_last_of(ExtensionDelimiters);
    if (i == std::string_view::npos || name[i] != '.')
        i = name.size();
    return AnsiString(name.substr(0, i)) + AnsiString(extension);
}
