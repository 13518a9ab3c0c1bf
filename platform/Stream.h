// Byte streams and the typed-value filer of project, macro, library and
// clipboard streams. Values carry a one-byte tag; integers are written in the
// shortest form and read from any form. A bad tag or a short stream raises
// EReadError, which the shell catches and reports.
#pragma once

#include "platform/SysTypes.h"

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// Errors of the filer. what() is the message in UTF-8 (it goes to a message
// box, not into a stream), so it is not CP1252 text. A fixed message of the
// class library (SReadError ...) is given in German and raised in the text
// language of platform/TextLanguage.h; any other message is kept as given.
class EFilerError : public std::runtime_error {
public:
    // systemError: the errno of a failed system call, 0 for none.
    explicit EFilerError(const std::string& message, int systemError = 0);
    explicit EFilerError(const char* message) : EFilerError(std::string(message)) {}
    int SystemError() const { return systemError_; }

private:
    int systemError_ = 0;
};
class EReadError : public EFilerError {
public:
    using EFilerError::EFilerError;
};
class EStreamError : public EFilerError {   // file cannot be created or opened, or a write failed
public:
    using EFilerError::EFilerError;
};

inline constexpr const char* SReadError = "Stream-Lesefehler";                   // read past the end
inline constexpr const char* SWriteError = "Stream-Schreibfehler";               // write failed
inline constexpr const char* SInvalidPropertyValue = "Ungültiger Eigenschaftswert";  // unexpected tag

enum class TValueType : Byte {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5,
    vaString = 6, vaIdent = 7, vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11,
    vaLString = 12, vaNil = 13, vaCollection = 14, vaSingle = 15, vaCurrency = 16,
    vaDate = 17, vaWString = 18, vaInt64 = 19, vaUTF8String = 20,
};

// Extended <-> the 10 significant bytes of the stream (little-endian mantissa
// in bytes 0..7, sign and exponent in bytes 8..9). Bit-exact for every value,
// NaN payloads and denormals included.
inline constexpr std::size_t ExtendedSize = 10;
void ExtendedToBytes(Extended value, Byte out[ExtendedSize]);
Extended ExtendedFromBytes(const Byte in[ExtendedSize]);

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to count bytes; returns how many were read (0 at the end).
    virtual std::size_t Read(void* buffer, std::size_t count) = 0;
    // Writes up to count bytes; returns how many were written.
    virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
    // Returns the new position, or -1 (position unchanged) when the target
    // would lie before the start. Positions past the end are allowed.
    virtual Int64 Seek(Int64 offset, TSeekOrigin origin) = 0;
    Int64 Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(Int64 pos) { Seek(pos, TSeekOrigin::soBeginning); }
    Int64 Size();
    // Exact forms: raise EReadError ("Stream-Lesefehler") / EStreamError
    // ("Stream-Schreibfehler") when short.
    void ReadBuffer(void* buffer, std::size_t count);
    void WriteBuffer(const void* buffer, std::size_t count);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<Byte> bytes) : data_(std::move(bytes)) {}
    std::size_t Read(void* buffer, std::size_t count) override;
    // Writing past the end fills the gap with zero bytes.
    std::size_t Write(const void* buffer, std::size_t count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    const std::vector<Byte>& Bytes() const { return data_; }
    void Clear() { data_.clear(); pos_ = 0; }
private:
    std::vector<Byte> data_;
    std::size_t pos_ = 0;
};

enum class TFileMode { fmCreate, fmOpenRead, fmOpenReadWrite };

class TFileStream : public TStream {
public:
    // fileName is the path as the file system takes it (UTF-8 here).
    // fmCreate replaces an existing file; fmOpenRead opens read-only.
    // Raises EStreamError when the file cannot be created or opened.
    TFileStream(const std::string& fileName, TFileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
    std::size_t Read(void* buffer, std::size_t count) override;
    std::size_t Write(const void* buffer, std::size_t count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    // Data to disk (fsync), for write-then-rename saves. Raises EStreamError
    // when the sync fails or when any earlier write of this stream fell short,
    // so a failure inside a destructor (TWriter's final flush) is not lost.
    void Flush();
    const std::string& FileName() const { return fileName_; }
private:
    std::string fileName_;
    int fd_ = -1;
    bool writeFailed_ = false;
};

inline constexpr std::size_t FilerBufferSize = 2000;

class TWriter {
public:
    explicit TWriter(TStream& stream, std::size_t bufSize = FilerBufferSize);
    // Writes out the buffer. A destructor cannot raise: call FlushBuffer()
    // (or TFileStream::Flush) where a failed write must be noticed.
    ~TWriter();
    TWriter(const TWriter&) = delete;
    TWriter& operator=(const TWriter&) = delete;

    void WriteInteger(Int64 value);       // vaInt8/16/32, vaInt64 outside 32 bits
    void WriteBoolean(bool value);        // vaFalse / vaTrue
    void WriteFloat(Extended value);      // vaExtended
    void WriteString(const AnsiString& value);   // vaString (<= 255) or vaLString
    void WriteValue(TValueType type);     // a bare tag
    void Write(const void* buffer, std::size_t count);   // raw block, no tag
    void FlushBuffer();
    TStream& Stream() { return stream_; }
private:
    TStream& stream_;
    std::vector<Byte> buf_;
    std::size_t bufSize_;
};

class TReader {
public:
    explicit TReader(TStream& stream, std::size_t bufSize = FilerBufferSize);
    ~TReader();   // gives back what it read ahead (stream positioned after the last value)
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    Integer ReadInteger();        // vaInt8/16/32; anything else: EReadError
    Int64 ReadInt64();            // also vaInt64
    bool ReadBoolean();           // vaFalse / vaTrue
    Extended ReadFloat();         // vaExtended (integer tags accepted as well)
    AnsiString ReadString();      // vaString / vaLString
    TValueType ReadValue();       // the next tag, consumed
    TValueType NextValue();       // the next tag, not consumed
    void Read(void* buffer, std::size_t count);   // raw block: EReadError when short
    bool EndOfStream();
    TStream& Stream() { return stream_; }
private:
    Byte ReadByte();
    Int64 ReadIntegerBody(TValueType type);   // the value after an integer tag
    bool FillBuffer();                        // false at the end of the stream

    TStream& stream_;
    std::vector<Byte> buf_;
    std::size_t bufPos_ = 0;
    std::size_t bufEnd_ = 0;
};
