#include "platform/IniFile.h"

#include "platform/AnsiText.h"
#include "platform/Paths.h"
#include "platform/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <cstdint>
#include <limits>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && IsIniBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsIniBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

namespace {

constexpr std::size_t npos = std::string_view::npos;

enum class TLineKind { Other, Section, Key };

struct TLine {
    TLineKind Kind = TLineKind::Other;
    std::string_view Name;    // section name or key
    std::string_view Value;
};

TLine Classify(std::string_view text)
{
    const std::string_view t = TrimBlanks(text);
    if (t.empty() || t.front() == ';')
        return {};
    if (t.front() == '[') {
        const std::string_view body = t.substr(1);
        return {TLineKind::Section, TrimBlanks(body.substr(0, body.find(']'))), {}};
    }
    const std::size_t eq = t.find('=');
    if (eq == npos)
        return {};
    const std::string_view name = TrimBlanks(t.substr(0, eq));
    if (name.empty())
        return {};
    return {TLineKind::Key, name, TrimBlanks(t.substr(eq + 1))};
}

bool ValidSection(std::string_view section)
{
    return !section.empty() && section.find_first_of("]\r\n") == npos;
}

bool ValidIdent(std::string_view ident)
{
    return !ident.empty() && ident.front() != ';' && ident.front() != '['
           && ident.find_first_of("=\r\n") == npos;
}

bool Contains(const std::vector<AnsiString>& names, std::string_view name)
{
    for (const AnsiString& n : names)
        if (AnsiSameText(n, name))
            return true;
    return false;
}

std::optional<Integer> ParseInteger(std::string_view s)
{
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.starts_with('$')) {
        base = 16;
        s.remove_prefix(1);
    } else if (s.starts_with("0x") || s.starts_with("0X")) {
        base = 16;
        s.remove_prefix(2);
    }
    std::uint64_t v = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v, base);
    if (s.empty() || error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    if (base == 16) {
        // Hexadecimal spells the 32 bits: $FFFFFFFF is -1.
        if (v > 0xFFFFFFFFu)
            return std::nullopt;
        const auto bits = static_cast<Integer>(static_cast<std::uint32_t>(v));
        return negative ? Integer(0u - std::uint32_t(bits)) : bits;
    }
    if (v > (negative ? 2147483648u : 2147483647u))
        return std::nullopt;
    return negative ? Integer(-std::int64_t(v)) : Integer(v);
}

std::optional<double> ParseFloat(std::string_view s)
{
    AnsiString text(s);
    std::replace(text.begin(), text.end(), ',', '.');
    std::string_view t = text;
    // from_chars takes no "+"; one sign in all.
    if (t.starts_with('+') && !t.substr(1).starts_with('-'))
        t.remove_prefix(1);
    double v = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || error != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    return v;
}

AnsiString FormatFloat(double value)
{
    if (value != value)
        return "NAN";
    if (value == std::numeric_limits<double>::infinity())
        return "INF";
    if (value == -std::numeric_limits<double>::infinity())
        return "-INF";
    char buf[64];
    const auto [end, error] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general);
    AnsiString text(buf, error == std::errc() ? end : buf);
    // "1.5e-07" is written "1.5E-7", "1e+20" "1E20".
    const std::size_t e = text.find('e');
    if (e == npos)
        return text;
    AnsiString exponent = text.substr(e + 1);
    const bool negative = exponent.front() == '-';
    exponent.erase(0, exponent.find_first_not_of("+-0"));
    return text.substr(0, e) + "E" + (negative ? "-" : "") + (exponent.empty() ? "0" : exponent);
}


TIniWriteFailureHandler& WriteFailureHandler()
{
    static TIniWriteFailureHandler handler;
    return handler;
}

// Replaces the file through a new file in the same folder renamed over it, so
// a crash leaves the old or the new content and never a mix. There is no
// flush to disk per write: settings are written key by key, and waiting for
// the disk each time made saving a few thousand run-state keys take seconds.
// A missing folder is created. False with err set when the file could not be
// written.
bool ReplaceFile(const QString& name, const QByteArray& data, int& err)
{
    const QFileInfo info(name);
    const QString path = info.isSymLink() && !info.canonicalFilePath().isEmpty() ? info.canonicalFilePath() : name;
    const QByteArray target = QFile::encodeName(path);
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) {
        err = QFileInfo(folder).exists() ? ENOTDIR : EACCES;
        return false;
    }
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = TemporaryNameBeside(target);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            err = errno;   // no permission, read-only file system
            return false;
        }
    }
    if (fd < 0) {
        err = EEXIST;
        return false;
    }
    struct stat old {};
    if (::stat(target.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    bool ok = true;
    err = 0;
    for (qsizetype done = 0; ok && done < data.size();) {
        const ssize_t n = ::write(fd, data.constData() + done, std::size_t(data.size() - done));
        if (n > 0)
            done += n;
        else if (!(n < 0 && errno == EINTR)) {
            ok = false;
            err = n < 0 ? errno : EIO;
        }
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(temp.constData(), target.constData()) == 0)
        return true;
    if (ok)
        err = errno;
    ::unlink(temp.constData());
    return false;
}

}   // namespace

void SetIniWriteFailureHandler(TIniWriteFailureHandler handler)
{
    WriteFailureHandler() = std::move(handler);
}

// ---- TCustomIniFile ------------------------------------------------------

TIniValues TCustomIniFile::ReadSectionValues(std::string_view section)
{
    TIniValues values;
    for (const AnsiString& key : ReadSection(section))
        values.emplace_back(key, ReadString(section, key, ""));
    return values;
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view ident)
{
    return Contains(ReadSection(section), TrimBlanks(ident));
}

bool TCustomIniFile::SectionExists(std::string_view section)
{
    return !ReadSection(section).empty();
}

Integer TCustomIniFile::ReadInteger(std::string_view section, std::string_view ident, Integer defaultValue)
{
    return ParseInteger(ReadString(section, ident, "")).value_or(defaultValue);
}

bool TCustomIniFile::WriteInteger(std::string_view section, std::string_view ident, Integer value)
{
    return WriteString(section, ident, std::to_string(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view ident, bool defaultValue)
{
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

bool TCustomIniFile::WriteBool(std::string_view section, std::string_view ident, bool value)
{
    return WriteString(section, ident, value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(std::string_view section, std::string_view ident, double defaultValue)
{
    return ParseFloat(ReadString(section, ident, "")).value_or(defaultValue);
}

bool TCustomIniFile::WriteFloat(std::string_view section, std::string_view ident, double value)
{
    return WriteString(section, ident, FormatFloat(value));
}

// ---- TIniFile ------------------------------------------------------------

TIniFile::TIniFile(AnsiString fileName) : TCustomIniFile(std::move(fileName)) {}

void TIniFile::Load()
{
    QFile file(QtFileName(ResolvePath(FileName())));
    QByteArray data;
    if (file.open(QIODevice::ReadOnly))
        data = file.readAll();
    if (loaded_ && data == raw_)
        return;
    raw_ = data;
    loaded_ = true;
    lines_.clear();
    std::string_view text(data.constData(), std::size_t(data.size()));
    if (text.starts_with("\xEF\xBB\xBF"))   // saved by an editor as UTF-8
        text.remove_prefix(3);
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines_.emplace_back(line);
        if (lf == npos)
            break;
        text.remove_prefix(lf + 1);
    }
}

bool TIniFile::Save()
{
    QByteArray data;
    for (const AnsiString& line : lines_) {
        data.append(line.data(), qsizetype(line.size()));
        data.append("\r\n", 2);
    }
    if (data == raw_)
        return true;
    int err = 0;
    const bool ok = ReplaceFile(QtFileName(ResolvePath(FileName())), data, err);
    if (ok) {
        raw_ = data;
        return true;
    }
    loaded_ = false;   // drop the change: the next access reads the file as it is
    if (const TIniWriteFailureHandler& handler = WriteFailureHandler())
        handler(FileName(), err);
    else
        qWarning("Cannot write %s: %s", QtFileName(FileName()).toLocal8Bit().constData(), std::strerror(err));
    return false;
}

bool TIniFile::FindSection(std::string_view section, TRange& range) const
{
    section = TrimBlanks(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const TLine line = Classify(lines_[i]);
        if (line.Kind != TLineKind::Section || !AnsiSameText(line.Name, section))
            continue;
        range = {i + 1, lines_.size()};
        for (std::size_t j = i + 1; j < lines_.size(); ++j) {
            if (Classify(lines_[j]).Kind == TLineKind::Section) {
                range.End = j;
                break;
            }
        }
        return true;
    }
    return false;
}

std::size_t TIniFile::FindKey(const TRange& range, std::string_view ident) const
{
    ident = TrimBlanks(ident);
    for (std::size_t i = range.Begin; i < range.End; ++i) {
        const TLine line = Classify(lines_[i]);
        if (line.Kind == TLineKind::Key && AnsiSameText(line.Name, ident))
            return i;
    }
    return npos;
}

AnsiString TIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view defaultValue)
{
    Load();
    TRange range;
    if (!FindSection(section, range))
        return AnsiString(defaultValue);
    const std::size_t k = FindKey(range, ident);
    return AnsiString(k == npos ? defaultValue : Classify(lines_[k]).Value);
}

bool TIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
    section = TrimBlanks(section);
    ident = TrimBlanks(ident);
    if (!ValidSection(section) || !ValidIdent(ident))
        return false;
    // A line break would end the value in the file and turn the rest into
    // lines of their own.
    value = value.substr(0, value.find_first_of("\r\n"));
    const AnsiString line = AnsiString(ident) + "=" + AnsiString(value);
    Load();
    TRange range;
    if (FindSection(section, range)) {
        const std::size_t k = FindKey(range, ident);
        if (k != npos) {
            lines_[k] = line;
        } else {
            std::size_t at = range.Begin;   // after the section's last key
            for (std::size_t i = range.Begin; i < range.End; ++i)
                if (Classify(lines_[i]).Kind == TLineKind::Key)
                    at = i + 1;
            lines_.insert(lines_.begin() + std::ptrdiff_t(at), line);
        }
    } else {
        if (!lines_.empty() && !TrimBlanks(lines_.back()).empty())
            lines_.emplace_back();
        lines_.push_back("[" + AnsiString(section) + "]");
        lines_.push_back(line);
    }
    return Save();
}

std::vector<AnsiString> TIniFile::ReadSection(std::string_view section)
{
    Load();
    std::vector<AnsiString> keys;
    TRange range;
    if (!FindSection(section, range))
        return keys;
    for (std::size_t i = range.Begin; i < range.End; ++i) {
        const TLine line = Classify(lines_[i]);
        if (line.Kind == TLineKind::Key && !Contains(keys, line.Name))
            keys.emplace_back(line.Name);
    }
    return keys;
}

std::vector<AnsiString> TIniFile::ReadSections()
{
    Load();
    std::vector<AnsiString> sections;
    for (const AnsiString& text : lines_) {
        const TLine line = Classify(text);
        if (line.Kind == TLineKind::Section && !line.Name.empty() && !Contains(sections, line.Name))
            sections.emplace_back(line.Name);
    }
    return sections;
}

TIniValues TIniFile::ReadSectionValues(std::string_view section)
{
    Load();
    TIniValues values;
    TRange range;
    if (!FindSection(section, range))
        return values;
    std::vector<AnsiString> seen;
    for (std::size_t i = range.Begin; i < range.End; ++i) {
        const TLine line = Classify(lines_[i]);
        if (line.Kind != TLineKind::Key || Contains(seen, line.Name))
            continue;
        seen.emplace_back(line.Name);
        values.emplace_back(line.Name, line.Value);
    }
    return values;
}

bool TIniFile::EraseSection(std::string_view section)
{
    Load();
    // Every copy of the section goes, so that a later duplicate cannot
    // take the erased one's place.
    TRange range;
    while (FindSection(section, range))
        lines_.erase(lines_.begin() + std::ptrdiff_t(range.Begin - 1), lines_.begin() + std::ptrdiff_t(range.End));
    return Save();
}

bool TIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
    Load();
    TRange range;
    if (FindSection(section, range)) {
        // Duplicates of the key go as well, or the next one would show.
        for (std::size_t k = FindKey(range, ident); k != npos; k = FindKey(range, ident)) {
            lines_.erase(lines_.begin() + std::ptrdiff_t(k));
            --range.End;
        }
    }
    return Save();
}
