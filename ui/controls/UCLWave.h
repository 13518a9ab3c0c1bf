// A wave sound held in memory: the bytes of one RIFF WAVE file, checked when
// loaded, stored with a size (the form's "Data" property) or as a compressed
// block stream in the wave list's items.
#pragma once

#include "ui/controls/UCLBase.h"

#include "platform/Stream.h"

#include <stdexcept>
#include <string>
#include <vector>

class EInvalidWave : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class EErrorCheckingWave : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True when the bytes start with "RIFF", a size, "WAVE" and "fmt " and hold the
// format fields up to the block alignment; false when a tag differs or there
// are no bytes. Too few bytes for the fields raise EErrorCheckingWave.
bool CheckWaveHeader(const std::vector<Byte>& Data);

class TUCLWave : public TUCLObject {
    ZK_CLASS(TUCLWave, TUCLObject)
public:
    TUCLWave() = default;

    bool IsEmpty() const { return !FHasData || FData.empty(); }
    Integer Size() const { return FHasData ? Integer(FData.size()) : 0; }
    const std::vector<Byte>& Data() const { return FData; }
    // Takes the bytes as they are (no check); Clear drops them.
    void SetData(std::vector<Byte> Data);
    void Clear();

    // Count bytes of Stream become the data when they are a wave; otherwise
    // EInvalidWave and the previous data stays. An empty stream clears.
    void LoadFromStreamSize(Integer Count, TStream& Stream);
    void LoadFromStream(TStream& Stream);   // from the position to the end
    void LoadFromFile(const std::string& FileName);
    static TUCLWave* CreateFromFile(const std::string& FileName);
    void SaveToStream(TStream& Stream);     // the bytes without size
    void SaveToFile(const std::string& FileName);
    // With WithSize a 32-bit size first; no data leaves an empty (held) data block.
    void WriteToStream(TStream& Stream, bool WithSize);

    // The "Data" property: size and bytes.
    void ReadData(TStream& Stream) { LoadSized(Stream); }
    void WriteData(TStream& Stream) { SaveSized(Stream); }
    // Block forms of the wave list's items.
    void SaveSized(TStream& Stream) { WriteToStream(Stream, true); }
    void LoadSized(TStream& Stream);
    void SaveCompressed(TStream& Stream);
    void LoadCompressed(TStream& Stream);

    void Assign(const TUCLObject& Source) override;

private:
    bool FHasData = false;
    std::vector<Byte> FData;
};

void WriteStreamWave(TStream& Stream, TUCLWave& Wave, bool Compressed);
// Bytes that are no wave raise EReadError; the wave keeps its data.
void ReadStreamWave(TStream& Stream, TUCLWave& Wave, bool Compressed);
