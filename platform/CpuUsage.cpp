#include "platform/CpuUsage.h"

#include <QFile>

#include <cstdlib>
#include <vector>

namespace {

// More processor lines than this in one file are taken as damage.
constexpr std::size_t MaxCpus = 4096;
constexpr qint64 MaxFileSize = 4 << 20;

struct TTimes {
    unsigned long long Idle = 0;
    unsigned long long Total = 0;
};

struct TSampler {
    AnsiString File = "/proc/stat";
    Integer Count = -1;
    bool Valid = false;
    bool HasPrevious = false;
    std::vector<TTimes> Current;
    std::vector<TTimes> Previous;
};

TSampler& Sampler()
{
    static TSampler sampler;
    return sampler;
}

// "cpuN user nice system idle iowait irq softirq steal ...": idle is idle
// plus iowait, total the sum of the first eight fields (guest time is
// already in user). Missing fields count as 0.
bool ParseCpuLine(const char* line, TTimes& times)
{
    if (line[0] != 'c' || line[1] != 'p' || line[2] != 'u' || line[3] < '0' || line[3] > '9')
        return false;
    const char* p = line + 3;
    while (*p >= '0' && *p <= '9')
        ++p;
    times = {};
    for (int field = 0; field < 8; ++field) {
        char* end = nullptr;
        const unsigned long long value = std::strtoull(p, &end, 10);
        if (end == p)
            break;
        p = end;
        times.Total += value;
        if (field == 3 || field == 4)
            times.Idle += value;
    }
    return true;
}

bool ReadSample(const AnsiString& fileName, std::vector<TTimes>& sample)
{
    QFile file(QString::fromLocal8Bit(fileName.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Files of the proc file system tell no size: read to the end.
    const QByteArray text = file.read(MaxFileSize);
    sample.clear();
    for (const QByteArray& line : text.split('\n')) {
        TTimes times;
        if (ParseCpuLine(line.constData(), times)) {
            if (sample.size() == MaxCpus)
                return false;
            sample.push_back(times);
        }
    }
    return !sample.empty();
}

} // namespace

bool SampleCpuData()
{
    TSampler& s = Sampler();
    std::vector<TTimes> sample;
    if (!ReadSample(s.File, sample)) {
        s.Valid = false;
        return false;
    }
    // The first good sample, or a changed processor count, starts afresh.
    s.HasPrevious = s.Valid && sample.size() == s.Current.size();
    s.Previous = std::move(s.Current);
    s.Current = std::move(sample);
    if (s.Count < 0)
        s.Count = static_cast<Integer>(s.Current.size());
    s.Valid = true;
    return true;
}

Integer CpuCount()
{
    if (Sampler().Count < 0)
        SampleCpuData();
    return Sampler().Count;
}

double CpuUsage(Integer index)
{
    TSampler& s = Sampler();
    if (!s.Valid || index < 0 || index >= s.Count || static_cast<std::size_t>(index) >= s.Current.size())
        return -1.0;
    if (!s.HasPrevious)
        return 0.0;
    const TTimes& now = s.Current[static_cast<std::size_t>(index)];
    const TTimes& before = s.Previous[static_cast<std::size_t>(index)];
    // Counters that went backwards (a processor brought back) show no load.
    if (now.Total <= before.Total || now.Idle < before.Idle)
        return 0.0;
    const double total = static_cast<double>(now.Total - before.Total);
    const double idle = static_cast<double>(now.Idle - before.Idle);
    return idle >= total ? 0.0 : 1.0 - idle / total;
}

void SetCpuStatFile(const AnsiString& path)
{
    Sampler() = TSampler{};
    if (!path.empty())
        Sampler().File = path;
}
