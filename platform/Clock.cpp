#include "platform/Clock.h"

#include <cmath>
#include <ctime>

namespace {

constexpr Int64 NanosecondsPerMs = 1'000'000;
constexpr double MsPerDay = 86'400'000.0;
constexpr double NanosecondsPerDay = MsPerDay * 1e6;

const QDate& DateOrigin()
{
    static const QDate origin(1899, 12, 30);
    return origin;
}

class TSystemClock : public TClock {
public:
    Int64 Nanoseconds() override
    {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        return Int64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
    }
    TDateTime Now() override { return QDateTimeToDateTime(QDateTime::currentDateTime()); }
};

TSystemClock systemClock;
std::atomic<TClock*> currentClock{&systemClock};

}   // namespace

Int64 QueryPerformanceCounter()
{
    return currentClock.load()->Nanoseconds();
}

Int64 QueryPerformanceFrequency()
{
    return 1'000'000'000;
}

Cardinal GetTickCount()
{
    return Cardinal(std::uint64_t(QueryPerformanceCounter() / NanosecondsPerMs));
}

TDateTime Now()
{
    return currentClock.load()->Now();
}

TDateTime QDateTimeToDateTime(const QDateTime& value)
{
    const double days = double(DateOrigin().daysTo(value.date()));
    const double time = value.time().msecsSinceStartOfDay() / MsPerDay;
    return days >= 0 ? days + time : days - time;
}

QDateTime DateTimeToQDateTime(TDateTime value)
{
    double days = std::trunc(value);
    Int64 ms = std::llround(std::fabs(value - days) * MsPerDay);
    if (ms >= Int64(MsPerDay)) {   // rounded up to the next midnight
        ms = 0;
        days += value >= 0 ? 1 : -1;
    }
    return QDateTime(DateOrigin().addDays(Int64(days)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

TFakeClock::TFakeClock(Int64 nanoseconds, TDateTime now)
    : nanoseconds_(nanoseconds), wallOffset_(0), wallStart_(now)
{
}

Int64 TFakeClock::Nanoseconds()
{
    return nanoseconds_.load();
}

TDateTime TFakeClock::Now()
{
    return wallStart_.load() + double(wallOffset_.load()) / NanosecondsPerDay;
}

void TFakeClock::SetNanoseconds(Int64 nanoseconds)
{
    nanoseconds_ = nanoseconds;
}

void TFakeClock::SetTickCount(Cardinal milliseconds)
{
    nanoseconds_ = Int64(milliseconds) * NanosecondsPerMs;
}

void TFakeClock::SetNow(TDateTime now)
{
    wallOffset_ = 0;
    wallStart_ = now;
}

void TFakeClock::Advance(Int64 nanoseconds)
{
    nanoseconds_ += nanoseconds;
    wallOffset_ += nanoseconds;
}

TScopedClock::TScopedClock(TClock& clock) : previous_(currentClock.exchange(&clock)) {}

TScopedClock::~TScopedClock()
{
    currentClock = previous_;
}
