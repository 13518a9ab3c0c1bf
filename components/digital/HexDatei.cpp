#include "components/digital/HexDatei.h"

#include "engine/Publics.h"
#include "platform/Paths.h"
#include "platform/SafeSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

void THexReader::Feed(std::string_view text)
{
    for (const char c : text) {
        if (Full())
            return;
        const int v = HexValue(c);
        if (v < 0) {
            pending_ = -1;   // any other character, a line end too, breaks a pair
        } else if (pending_ < 0) {
            pending_ = v;
        } else {
            memory_[count_++] = static_cast<Byte>(pending_ << 4 | v);
            pending_ = -1;
        }
    }
}

Integer ParseHexText(std::string_view text, Byte* memory, Integer size)
{
    if (size > 0)
        std::memset(memory, 0, static_cast<std::size_t>(size));
    THexReader reader(memory, size);
    reader.Feed(text);
    return reader.Count();
}

std::optional<Integer> LoadHexFile(const AnsiString& fileName, Byte* memory, Integer size)
{
    const QString name = QtFileName(ResolveDataFile(fileName));
    // Devices and pipes may never end: only plain files are read.
    QFile file(name);
    if (fileName.empty() || !QFileInfo(name).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    size = std::max<Integer>(size, 0);
    // Read into a scratch copy so that a read failure half-way loses nothing.
    std::vector<Byte> scratch(static_cast<std::size_t>(size), 0);
    THexReader reader(scratch.data(), size);
    char chunk[16384];
    while (!reader.Full()) {
        const qint64 n = file.read(chunk, sizeof chunk);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        reader.Feed(std::string_view(chunk, static_cast<std::size_t>(n)));
    }
    std::copy(scratch.begin(), scratch.end(), memory);
    return reader.Count();
}

bool SaveHexFile(const AnsiString& fileName, const Byte* memory, Integer size)
{
    static const char Digits[] = "0123456789ABCDEF";
    QByteArray text;
    text.reserve(std::max<Integer>(size, 0) * 4);
    for (Integer i = 0; i < size; ++i) {
        text.append(Digits[memory[i] >> 4]);
        text.append(Digits[memory[i] & 15]);
        text.append("\r\n", 2);
    }
    QSaveFile file(QtFileName(ResolvePath(fileName)));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return CommitSaveFile(file);
}
