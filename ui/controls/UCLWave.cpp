#include "ui/controls/UCLWave.h"

#include "platform/SafeSave.h"
#include "ui/controls/UCLLZRW.h"
#include "ui/controls/UCLStreamUtils.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* SInvalidWaveData = "TUCLWave: keine gültigen Wave-Daten";
constexpr const char* SWaveTooShort = "GetWaveData: Wave-Daten zu kurz";

}   // namespace

bool CheckWaveHeader(const std::vector<Byte>& Data)
{
    if (Data.empty())
        return false;
    std::size_t pos = 0;
    auto next = [&](std::size_t n) {
        if (pos + n > Data.size())
            throw EErrorCheckingWave(SWaveTooShort);
        const Byte* at = Data.data() + pos;
        pos += n;
        return at;
    };
    if (std::memcmp(next(4), "RIFF", 4) != 0)
        return false;
    next(4);   // RIFF size
    if (std::memcmp(next(4), "WAVE", 4) != 0)
        return false;
    if (std::memcmp(next(4), "fmt ", 4) != 0)
        return false;
    next(4);    // format chunk size
    next(12);   // format tag, channels, sample rate, byte rate
    next(2);    // block alignment
    return true;
}

void TUCLWave::SetData(std::vector<Byte> Data)
{
    FData = std::move(Data);
    FHasData = true;
    Changed();
}

void TUCLWave::Clear()
{
    FData.clear();
    FHasData = false;
    Changed();
}

void TUCLWave::LoadFromStreamSize(Integer Count, TStream& Stream)
{
    if (Stream.Size() == 0 || Count == 0) {
        Clear();
        return;
    }
    if (Count < 0 || Count > Stream.Size() - Stream.Position())
        throw EReadError(SReadError);
    std::vector<Byte> bytes(std::size_t(Count), 0);
    Stream.ReadBuffer(bytes.data(), bytes.size());
    if (!CheckWaveHeader(bytes))
        throw EInvalidWave(SInvalidWaveData);
    SetData(std::move(bytes));
}

void TUCLWave::LoadFromStream(TStream& Stream)
{
    const Int64 rest = std::max<Int64>(0, Stream.Size() - Stream.Position());
    if (rest > 0x7FFFFFFF)   // more than a wave's 32-bit sizes can describe
        throw EInvalidWave(SInvalidWaveData);
    LoadFromStreamSize(Integer(rest), Stream);
}

void TUCLWave::LoadFromFile(const std::string& FileName)
{
    TFileStream file(FileName, TFileMode::fmOpenRead);
    LoadFromStream(file);
}

TUCLWave* TUCLWave::CreateFromFile(const std::string& FileName)
{
    auto* wave = new TUCLWave();
    try {
        wave->LoadFromFile(FileName);
    } catch (...) {
        delete wave;
        throw;
    }
    return wave;
}

void TUCLWave::WriteToStream(TStream& Stream, bool WithSize)
{
    FHasData = true;
    if (WithSize)
        WriteStreamInteger(Stream, Integer(FData.size()));
    Stream.WriteBuffer(FData.data(), FData.size());
}

void TUCLWave::SaveToStream(TStream& Stream)
{
    WriteToStream(Stream, false);
}

void TUCLWave::SaveToFile(const std::string& FileName)
{
    // Written beside the target and renamed over it, so a failed save leaves
    // the old file whole.
    const std::string temporary = FileName + ".tmp";
    try {
        TFileStream file(temporary, TFileMode::fmCreate);
        SaveToStream(file);
        file.Flush();
    } catch (...) {
        std::remove(temporary.c_str());
        throw;
    }
    if (!RenameOverTarget(QByteArray::fromStdString(temporary), QByteArray::fromStdString(FileName))) {
        std::remove(temporary.c_str());
        throw EStreamError(SWriteError);
    }
}

void TUCLWave::LoadSized(TStream& Stream)
{
    const Integer size = ReadStreamInteger(Stream);
    LoadFromStreamSize(size, Stream);
}

void TUCLWave::SaveCompressed(TStream& Stream)
{
    WriteStreamData(Stream, FData, true);
}

void TUCLWave::LoadCompressed(TStream& Stream)
{
    TMemoryStream expanded(ReadStreamData(Stream, true));
    LoadFromStream(expanded);
}

void TUCLWave::Assign(const TUCLObject& Source)
{
    if (&Source == this)
        return;
    if (auto* wave = dynamic_cast<const TUCLWave*>(&Source)) {
        FData = wave->FData;
        FHasData = wave->FHasData;
        Changed();
        return;
    }
    TUCLObject::Assign(Source);
}

void WriteStreamWave(TStream& Stream, TUCLWave& Wave, bool Compressed)
{
    if (Compressed)
        Wave.SaveCompressed(Stream);
    else
        Wave.SaveSized(Stream);
}

void ReadStreamWave(TStream& Stream, TUCLWave& Wave, bool Compressed)
{
    // A block that holds no wave is damaged data like any other to the
    // containers reading it.
    try {
        if (Compressed)
            Wave.LoadCompressed(Stream);
        else
            Wave.LoadSized(Stream);
    } catch (const EInvalidWave&) {
        throw EReadError(SReadError);
    } catch (const EErrorCheckingWave&) {
        throw EReadError(SReadError);
    }
}
