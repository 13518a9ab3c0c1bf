// Plain values and data blocks of the library's list items: little-endian
// integers, bytes, short strings, string lists and bitmaps, each as a sized
// block or as a compressed block stream (UCLLZRW). Readers check every length
// against the bytes the stream still holds, so a damaged block raises
// EReadError instead of allocating or reading past its end.
#pragma once

#include "platform/Stream.h"

#include <QImage>

#include <vector>

inline constexpr const char* SInvalidBitmap = "Bitmap ist ungültig";

void WriteStreamInteger(TStream& stream, Integer value);
void WriteStreamByte(TStream& stream, Byte value);
void WriteStreamShortString(TStream& stream, const AnsiString& value);   // cut to 255
Integer ReadStreamInteger(TStream& stream);
Byte ReadStreamByte(TStream& stream);
AnsiString ReadStreamShortString(TStream& stream);

// Reads a 32-bit size and that many bytes; the size must fit the stream.
std::vector<Byte> ReadStreamSizedBlock(TStream& stream);
void WriteStreamSizedBlock(TStream& stream, const std::vector<Byte>& data);
// Data as a sized block or a compressed block stream.
void WriteStreamData(TStream& stream, const std::vector<Byte>& data, bool compressed);
std::vector<Byte> ReadStreamData(TStream& stream, bool compressed);

// A string list as text: each line ended by CR LF. Reading splits at CR LF, CR
// or LF; a final line break adds no empty line.
std::vector<Byte> StringsToText(const std::vector<AnsiString>& lines);
std::vector<AnsiString> TextToStrings(const std::vector<Byte>& text);
void WriteStreamStrings(TStream& stream, const std::vector<AnsiString>& lines, bool compressed);
std::vector<AnsiString> ReadStreamStrings(TStream& stream, bool compressed);

// Colour counts of the pixel formats; -1 keeps the bitmap's own BMP form.
inline constexpr int OwnBitmapForm = -1;
// The bitmap's own BMP file (raises "Bitmap ist ungültig" for a null image).
std::vector<Byte> BuildBMPFile(const QImage& bitmap);
// A BMP file image with 1, 4, 8 or 24 bits per pixel for colour counts 2, 16,
// 256 and 0 (the bitmap's own depth; 16 and 32 bits become 24). 65536 names no
// bit count of its own and is written with 24 bits.
std::vector<Byte> BuildDIBFile(const QImage& bitmap, int colourCount);
void SaveBitmapAsDIB(TStream& stream, const QImage& bitmap, int colourCount);
void WriteStreamBitmap(TStream& stream, const QImage& bitmap, bool compressed, int colourCount);
// Raises "Bitmap ist ungültig" when the bytes are no readable BMP file or
// hold fewer uncompressed pixel rows than their header claims.
QImage ReadStreamBitmap(TStream& stream, bool compressed);
QImage BitmapFromBMPFile(const std::vector<Byte>& file);
// False when a BMP file's header claims more uncompressed pixel rows than the
// file holds: the image reader would fill the rest with black and make a
// bitmap of any size from a few bytes. Other forms (compressed, other
// headers) are the image reader's to judge and pass.
bool PixelsComplete(const std::vector<Byte>& file);
