#include "platform/Stream.h"

#include "platform/TextLanguage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// ---------------------------------------------------------------------------
// Extended

// x87 extended precision: 64-bit mantissa with explicit integer bit, 15-bit
// exponent, sign; stored little-endian in the first 10 bytes of the object.
static_assert(std::numeric_limits<Extended>::digits == 64 &&
                  std::numeric_limits<Extended>::max_exponent == 16384 && sizeof(Extended) >= ExtendedSize,
              "Extended must be the x87 80-bit format");

void ExtendedToBytes(Extended value, Byte out[ExtendedSize])
{
    std::memcpy(out, &value, ExtendedSize);
}

Extended ExtendedFromBytes(const Byte in[ExtendedSize])
{
    Extended value{};   // padding bytes stay zero
    std::memcpy(&value, in, ExtendedSize);
    return value;
}

EFilerError::EFilerError(const std::string& message, int systemError)
    : std::runtime_error(TranslateLibraryMessage(message)), systemError_(systemError)
{
}

// ---------------------------------------------------------------------------
// TStream

Int64 TStream::Size()
{
    const Int64 pos = Position();
    const Int64 size = Seek(0, TSeekOrigin::soEnd);
    SetPosition(pos);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::size_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* buffer, std::size_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EStreamError(SWriteError);
}

// ---------------------------------------------------------------------------
// TMemoryStream

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    if (pos_ >= data_.size())
        return 0;
    const std::size_t n = std::min(count, data_.size() - pos_);
    std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

std::size_t TMemoryStream::Write(const void* buffer, std::size_t count)
{
    // No wrap-around of pos_ + count after a far seek.
    if (count == 0 || pos_ > data_.max_size() || count > data_.max_size() - pos_)
        return 0;
    if (data_.size() < pos_ + count)
        data_.resize(pos_ + count);
    std::memcpy(data_.data() + pos_, buffer, count);
    pos_ += count;
    return count;
}

Int64 TMemoryStream::Seek(Int64 offset, TSeekOrigin origin)
{
    Int64 base = 0;
    switch (origin) {
    case TSeekOrigin::soBeginning: base = 0; break;
    case TSeekOrigin::soCurrent: base = static_cast<Int64>(pos_); break;
    case TSeekOrigin::soEnd: base = static_cast<Int64>(data_.size()); break;
    }
    Int64 target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0)
        return -1;
    pos_ = static_cast<std::size_t>(target);
    return target;
}

// ---------------------------------------------------------------------------
// TFileStream

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : fileName_(fileName)
{
    int flags = O_CLOEXEC;
    switch (mode) {
    case TFileMode::fmCreate: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case TFileMode::fmOpenRead: flags |= O_RDONLY; break;
    case TFileMode::fmOpenReadWrite: flags |= O_RDWR; break;
    }
    do {
        fd_ = ::open(fileName.c_str(), flags, 0666);
    } while (fd_ < 0 && errno == EINTR);
    int err = fd_ < 0 ? errno : 0;
    // A folder opens read-only on Linux; it is not a file the program can read.
    struct stat st {};
    if (fd_ >= 0 && ::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        err = EISDIR;
    }
    if (fd_ < 0)
        throw EStreamError(FileErrorMessage(fileName, mode == TFileMode::fmCreate, err), err);
}

TFileStream::~TFileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count)
{
    auto* p = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd_, p + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count)
{
    const auto* p = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd_, p + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            writeFailed_ = true;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

Int64 TFileStream::Seek(Int64 offset, TSeekOrigin origin)
{
    int whence = SEEK_SET;
    switch (origin) {
    case TSeekOrigin::soBeginning: whence = SEEK_SET; break;
    case TSeekOrigin::soCurrent: whence = SEEK_CUR; break;
    case TSeekOrigin::soEnd: whence = SEEK_END; break;
    }
    return ::lseek(fd_, offset, whence);
}

void TFileStream::Flush()
{
    if (writeFailed_)
        throw EStreamError(TranslateLibraryMessage(SWriteError) + ": " + fileName_);
    if (::fsync(fd_) != 0 && errno != EINVAL)   // EINVAL: special files cannot sync
        throw EStreamError(TranslateLibraryMessage(SWriteError) + ": " + fileName_ + ": " + SystemErrorText(errno));
}

// ---------------------------------------------------------------------------
// TWriter

namespace {

// Little-endian bytes of the low `size` bytes of value.
void PutLE(Byte* out, Int64 value, std::size_t size)
{
    auto u = static_cast<std::uint64_t>(value);
    for (std::size_t i = 0; i < size; ++i, u >>= 8)
        out[i] = static_cast<Byte>(u & 0xFF);
}

// Sign-extended value of `size` little-endian bytes.
Int64 GetLE(const Byte* in, std::size_t size)
{
    std::uint64_t u = 0;
    for (std::size_t i = size; i-- > 0;)
        u = (u << 8) | in[i];
    const unsigned shift = 64 - 8 * static_cast<unsigned>(size);
    return static_cast<Int64>(u << shift) >> shift;
}

}  // namespace

TWriter::TWriter(TStream& stream, std::size_t bufSize) : stream_(stream), bufSize_(bufSize)
{
    buf_.reserve(bufSize_);
}

TWriter::~TWriter()
{
    try {
        FlushBuffer();
    } catch (...) {
        // Cannot raise here; TFileStream::Flush reports the failed write.
    }
}

void TWriter::FlushBuffer()
{
    if (buf_.empty())
        return;
    // Emptied either way: a failed write is reported once, not again by the destructor.
    try {
        stream_.WriteBuffer(buf_.data(), buf_.size());
    } catch (...) {
        buf_.clear();
        throw;
    }
    buf_.clear();
}

void TWriter::Write(const void* buffer, std::size_t count)
{
    if (buf_.size() + count > bufSize_) {
        FlushBuffer();
        if (count >= bufSize_) {
            stream_.WriteBuffer(buffer, count);
            return;
        }
    }
    const auto* p = static_cast<const Byte*>(buffer);
    buf_.insert(buf_.end(), p, p + count);
}

void TWriter::WriteValue(TValueType type)
{
    const Byte tag = static_cast<Byte>(type);
    Write(&tag, 1);
}

void TWriter::WriteInteger(Int64 value)
{
    Byte bytes[9];
    std::size_t size = 0;
    TValueType type;
    if (value >= -128 && value <= 127) {
        type = TValueType::vaInt8;
        size = 1;
    } else if (value >= -32768 && value <= 32767) {
        type = TValueType::vaInt16;
        size = 2;
    } else if (value >= std::numeric_limits<Integer>::min() && value <= std::numeric_limits<Integer>::max()) {
        type = TValueType::vaInt32;
        size = 4;
    } else {
        type = TValueType::vaInt64;
        size = 8;
    }
    bytes[0] = static_cast<Byte>(type);
    PutLE(bytes + 1, value, size);
    Write(bytes, size + 1);
}

void TWriter::WriteBoolean(bool value)
{
    WriteValue(value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::WriteFloat(Extended value)
{
    Byte bytes[1 + ExtendedSize];
    bytes[0] = static_cast<Byte>(TValueType::vaExtended);
    ExtendedToBytes(value, bytes + 1);
    Write(bytes, sizeof bytes);
}

void TWriter::WriteString(const AnsiString& value)
{
    Byte head[5];
    std::size_t headSize = 0;
    if (value.size() <= 255) {
        head[0] = static_cast<Byte>(TValueType::vaString);
        head[1] = static_cast<Byte>(value.size());
        headSize = 2;
    } else {
        if (value.size() > std::numeric_limits<std::uint32_t>::max())
            throw EStreamError(SWriteError);   // the length field has 32 bits
        head[0] = static_cast<Byte>(TValueType::vaLString);
        PutLE(head + 1, static_cast<Int64>(value.size()), 4);
        headSize = 5;
    }
    Write(head, headSize);
    Write(value.data(), value.size());
}

// ---------------------------------------------------------------------------
// TReader

TReader::TReader(TStream& stream, std::size_t bufSize) : stream_(stream), buf_(std::max<std::size_t>(bufSize, 1))
{
}

TReader::~TReader()
{
    const std::size_t unread = bufEnd_ - bufPos_;
    if (unread == 0)
        return;
    try {
        stream_.Seek(-static_cast<Int64>(unread), TSeekOrigin::soCurrent);
    } catch (...) {
        // A destructor cannot raise; the stream keeps its read-ahead position.
    }
}

bool TReader::FillBuffer()
{
    bufPos_ = 0;
    bufEnd_ = stream_.Read(buf_.data(), buf_.size());
    return bufEnd_ != 0;
}

bool TReader::EndOfStream()
{
    return bufPos_ >= bufEnd_ && !FillBuffer();
}

void TReader::Read(void* buffer, std::size_t count)
{
    auto* p = static_cast<Byte*>(buffer);
    while (count > 0) {
        if (bufPos_ >= bufEnd_) {
            // Large blocks go straight to the caller's memory.
            if (count >= buf_.size()) {
                stream_.ReadBuffer(p, count);
                return;
            }
            if (!FillBuffer())
                throw EReadError(SReadError);
        }
        const std::size_t n = std::min(count, bufEnd_ - bufPos_);
        std::memcpy(p, buf_.data() + bufPos_, n);
        bufPos_ += n;
        p += n;
        count -= n;
    }
}

Byte TReader::ReadByte()
{
    if (bufPos_ >= bufEnd_ && !FillBuffer())
        throw EReadError(SReadError);
    return buf_[bufPos_++];
}

TValueType TReader::ReadValue()
{
    return static_cast<TValueType>(ReadByte());
}

TValueType TReader::NextValue()
{
    const TValueType type = ReadValue();
    --bufPos_;
    return type;
}

Int64 TReader::ReadIntegerBody(TValueType type)
{
    std::size_t size = 0;
    switch (type) {
    case TValueType::vaInt8: size = 1; break;
    case TValueType::vaInt16: size = 2; break;
    case TValueType::vaInt32: size = 4; break;
    case TValueType::vaInt64: size = 8; break;
    default: throw EReadError(SInvalidPropertyValue);
    }
    Byte bytes[8];
    Read(bytes, size);
    return GetLE(bytes, size);
}

Integer TReader::ReadInteger()
{
    const TValueType type = ReadValue();
    if (type == TValueType::vaInt64)
        throw EReadError(SInvalidPropertyValue);
    return static_cast<Integer>(ReadIntegerBody(type));
}

Int64 TReader::ReadInt64()
{
    return ReadIntegerBody(ReadValue());
}

bool TReader::ReadBoolean()
{
    switch (ReadValue()) {
    case TValueType::vaTrue: return true;
    case TValueType::vaFalse: return false;
    default: throw EReadError(SInvalidPropertyValue);
    }
}

Extended TReader::ReadFloat()
{
    const TValueType type = ReadValue();
    if (type != TValueType::vaExtended)
        return static_cast<Extended>(ReadIntegerBody(type));
    Byte bytes[ExtendedSize];
    Read(bytes, sizeof bytes);
    return ExtendedFromBytes(bytes);
}

AnsiString TReader::ReadString()
{
    std::size_t length = 0;
    switch (ReadValue()) {
    case TValueType::vaString:
        length = ReadByte();
        break;
    case TValueType::vaLString: {
        Byte bytes[4];
        Read(bytes, sizeof bytes);
        length = static_cast<std::uint32_t>(GetLE(bytes, 4));
        break;
    }
    default:
        throw EReadError(SInvalidPropertyValue);
    }
    // The length comes from the file: grow the string only as the bytes
    // actually arrive, so a damaged length fails as a short stream instead of
    // allocating up to 4 GB first.
    constexpr std::size_t Chunk = 64 * 1024;
    AnsiString result;
    result.reserve(std::min(length, Chunk));
    while (result.size() < length) {
        const std::size_t old = result.size();
        const std::size_t n = std::min(length - old, Chunk);
        result.resize(old + n);
        Read(result.data() + old, n);
    }
    return result;
}
