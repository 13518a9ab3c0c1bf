#include "ui/controls/UCLStreamUtils.h"

#include "ui/controls/UCLLZRW.h"

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <cstdlib>

namespace {

Int64 RemainingBytes(TStream& stream)
{
    return std::max<Int64>(0, stream.Size() - stream.Position());
}

void PutInt32(std::vector<Byte>& out, std::size_t at, std::uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        out[at + k] = Byte(value >> (8 * k));
}

void PutInt16(std::vector<Byte>& out, std::size_t at, std::uint16_t value)
{
    out[at] = Byte(value);
    out[at + 1] = Byte(value >> 8);
}

// The default palette of 16-colour device-independent bitmaps.
const QList<QRgb>& SixteenColours()
{
    static const QList<QRgb> table = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    return table;
}

int BitCountFor(const QImage& bitmap, int colourCount)
{
    switch (colourCount) {
    case 2: return 1;
    case 16: return 4;
    case 256: return 8;
    case 0: {
        const int own = bitmap.depth();
        return (own == 1 || own == 4 || own == 8) ? own : 24;
    }
    default: return 24;
    }
}

}   // namespace

void WriteStreamInteger(TStream& stream, Integer value)
{
    Byte bytes[4];
    for (int k = 0; k < 4; ++k)
        bytes[k] = Byte(std::uint32_t(value) >> (8 * k));
    stream.WriteBuffer(bytes, 4);
}

void WriteStreamByte(TStream& stream, Byte value)
{
    stream.WriteBuffer(&value, 1);
}

void WriteStreamShortString(TStream& stream, const AnsiString& value)
{
    const std::size_t n = std::min<std::size_t>(value.size(), 255);
    WriteStreamByte(stream, Byte(n));
    stream.WriteBuffer(value.data(), n);
}

Integer ReadStreamInteger(TStream& stream)
{
    Byte bytes[4];
    stream.ReadBuffer(bytes, 4);
    return Integer(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                   std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
}

Byte ReadStreamByte(TStream& stream)
{
    Byte value;
    stream.ReadBuffer(&value, 1);
    return value;
}

AnsiString ReadStreamShortString(TStream& stream)
{
    AnsiString value(ReadStreamByte(stream), '\0');
    stream.ReadBuffer(value.data(), value.size());
    return value;
}

std::vector<Byte> ReadStreamSizedBlock(TStream& stream)
{
    const Integer n = ReadStreamInteger(stream);
    if (n < 0 || n > RemainingBytes(stream))
        throw EReadError(SReadError);
    std::vector<Byte> data(std::size_t(n), 0);
    stream.ReadBuffer(data.data(), data.size());
    return data;
}

void WriteStreamSizedBlock(TStream& stream, const std::vector<Byte>& data)
{
    WriteStreamInteger(stream, Integer(data.size()));
    stream.WriteBuffer(data.data(), data.size());
}

void WriteStreamData(TStream& stream, const std::vector<Byte>& data, bool compressed)
{
    if (!compressed) {
        WriteStreamSizedBlock(stream, data);
        return;
    }
    TMemoryStream source(data);
    CompressStream(source, stream, data.size());
}

std::vector<Byte> ReadStreamData(TStream& stream, bool compressed)
{
    if (!compressed)
        return ReadStreamSizedBlock(stream);
    TMemoryStream expanded;
    DecompressStream(stream, expanded);
    return expanded.Bytes();
}

std::vector<Byte> StringsToText(const std::vector<AnsiString>& lines)
{
    std::vector<Byte> text;
    for (const AnsiString& line : lines) {
        text.insert(text.end(), line.begin(), line.end());
        text.push_back('\r');
        text.push_back('\n');
    }
    return text;
}

std::vector<AnsiString> TextToStrings(const std::vector<Byte>& text)
{
    std::vector<AnsiString> lines;
    std::size_t k = 0;
    while (k < text.size()) {
        const std::size_t start = k;
        while (k < text.size() && text[k] != '\r' && text[k] != '\n')
            ++k;
        lines.emplace_back(text.begin() + start, text.begin() + k);
        if (k < text.size() && text[k] == '\r')
            ++k;
        if (k < text.size() && text[k] == '\n')
            ++k;
    }
    return lines;
}

void WriteStreamStrings(TStream& stream, const std::vector<AnsiString>& lines, bool compressed)
{
    WriteStreamData(stream, StringsToText(lines), compressed);
}

std::vector<AnsiString> ReadStreamStrings(TStream& stream, bool compressed)
{
    return TextToStrings(ReadStreamData(stream, compressed));
}

std::vector<Byte> BuildBMPFile(const QImage& bitmap)
{
    if (bitmap.isNull())
        throw std::runtime_error(SInvalidBitmap);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    if (!writer.write(bitmap))
        throw std::runtime_error(SInvalidBitmap);
    return std::vector<Byte>(bytes.begin(), bytes.end());
}

std::vector<Byte> BuildDIBFile(const QImage& bitmap, int colourCount)
{
    if (bitmap.isNull())
        throw std::runtime_error(SInvalidBitmap);
    const int bits = BitCountFor(bitmap, colourCount);
    QImage image;
    QList<QRgb> palette;
    switch (bits) {
    case 1:
        image = bitmap.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
        palette = image.colorTable();
        break;
    case 4:
        image = bitmap.convertToFormat(QImage::Format_Indexed8, SixteenColours(), Qt::ThresholdDither);
        palette = SixteenColours();
        break;
    case 8:
        image = bitmap.format() == QImage::Format_Indexed8
                    ? bitmap
                    : bitmap.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        palette = image.colorTable();
        break;
    default:
        image = bitmap.convertToFormat(QImage::Format_RGB32);
        break;
    }
    const int colours = bits == 24 ? 0 : 1 << bits;
    palette.resize(colours, qRgb(0, 0, 0));

    const int width = image.width();
    const int height = image.height();
    const std::size_t headerSize = 40 + 4 * std::size_t(colours);
    const std::size_t rowSize = ((std::size_t(width) * bits + 31) / 32) * 4;
    const std::size_t imageSize = rowSize * std::size_t(height);
    const std::size_t fileSize = 14 + headerSize + imageSize;

    std::vector<Byte> file(fileSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutInt32(file, 2, std::uint32_t(fileSize));
    PutInt32(file, 10, std::uint32_t(14 + headerSize));
    PutInt32(file, 14, 40);
    PutInt32(file, 18, std::uint32_t(width));
    PutInt32(file, 22, std::uint32_t(height));
    PutInt16(file, 26, 1);
    PutInt16(file, 28, std::uint16_t(bits));
    PutInt32(file, 34, std::uint32_t(imageSize));
    for (int c = 0; c < colours; ++c) {
        const std::size_t at = 54 + 4 * std::size_t(c);
        file[at] = Byte(qBlue(palette[c]));
        file[at + 1] = Byte(qGreen(palette[c]));
        file[at + 2] = Byte(qRed(palette[c]));
    }
    const std::size_t bitsStart = 14 + headerSize;
    for (int y = 0; y < height; ++y) {
        Byte* row = file.data() + bitsStart + rowSize * std::size_t(height - 1 - y);   // bottom-up
        const uchar* line = image.constScanLine(y);
        switch (bits) {
        case 1:   // Format_Mono is most significant bit first, as BMP rows are
            std::copy(line, line + (width + 7) / 8, row);
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                row[x / 2] |= Byte((line[x] & 0x0F) << (x % 2 == 0 ? 4 : 0));
            break;
        case 8:
            std::copy(line, line + width, row);
            break;
        default: {
            const QRgb* pixels = reinterpret_cast<const QRgb*>(line);
            for (int x = 0; x < width; ++x) {
                row[3 * x] = Byte(qBlue(pixels[x]));
                row[3 * x + 1] = Byte(qGreen(pixels[x]));
                row[3 * x + 2] = Byte(qRed(pixels[x]));
            }
        }
        }
    }
    return file;
}

void SaveBitmapAsDIB(TStream& stream, const QImage& bitmap, int colourCount)
{
    const int count = bitmap.depth() == 1 ? 2 : colourCount;
    const std::vector<Byte> file = BuildDIBFile(bitmap, count);
    stream.WriteBuffer(file.data(), file.size());
    stream.SetPosition(0);
}

void WriteStreamBitmap(TStream& stream, const QImage& bitmap, bool compressed, int colourCount)
{
    const std::vector<Byte> file =
        colourCount == OwnBitmapForm ? BuildBMPFile(bitmap) : BuildDIBFile(bitmap, colourCount);
    WriteStreamData(stream, file, compressed);
}

namespace {

std::uint32_t UInt32At(const std::vector<Byte>& b, std::size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

}   // namespace

bool PixelsComplete(const std::vector<Byte>& file)
{
    constexpr std::size_t infoAt = 14;
    if (file.size() < infoAt + 40 || file[0] != 'B' || file[1] != 'M' || UInt32At(file, infoAt) < 40)
        return true;   // other forms are the image reader's to judge
    const std::uint32_t compression = UInt32At(file, infoAt + 16);
    if (compression != 0 && compression != 3)   // RGB, bit fields
        return true;
    const auto width = Int64(std::int32_t(UInt32At(file, infoAt + 4)));
    const auto height = Int64(std::int32_t(UInt32At(file, infoAt + 8)));
    const Int64 bits = file[infoAt + 14] | file[infoAt + 15] << 8;
    const Int64 rowBytes = (std::abs(width) * bits + 31) / 32 * 4;   // below 2^45: no overflow
    const Int64 pixelsAt = UInt32At(file, 10);
    if (pixelsAt > Int64(file.size()))
        return false;
    // Rows that fit, by division: rowBytes * height may pass 2^63.
    return rowBytes == 0 || std::abs(height) <= (Int64(file.size()) - pixelsAt) / rowBytes;
}

QImage BitmapFromBMPFile(const std::vector<Byte>& file)
{
    if (file.empty())
        return QImage();
    if (!PixelsComplete(file))
        throw EReadError(SInvalidBitmap);
    QImage bitmap;
    if (!bitmap.loadFromData(file.data(), int(file.size()), "BMP"))
        throw EReadError(SInvalidBitmap);
    return bitmap;
}

QImage ReadStreamBitmap(TStream& stream, bool compressed)
{
    return BitmapFromBMPFile(ReadStreamData(stream, compressed));
}
