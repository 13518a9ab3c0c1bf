// The one time base of the program: the performance counter, the 32-bit
// millisecond tick count and the wall clock all come from the installed
// clock, so tests drive every time-based part with a TFakeClock.
#pragma once

#include "platform/SysTypes.h"

#include <QDateTime>
#include <atomic>

class TClock {
public:
    virtual ~TClock() = default;
    virtual Int64 Nanoseconds() = 0;   // monotonic, from an arbitrary origin
    virtual TDateTime Now() = 0;       // local time
};

// Counts nanoseconds of CLOCK_MONOTONIC: the frequency is 1e9.
Int64 QueryPerformanceCounter();
Int64 QueryPerformanceFrequency();
// Milliseconds of the same clock in 32 bits: wraps after 49.7 days, so
// elapsed times are differences of Cardinals.
Cardinal GetTickCount();
TDateTime Now();

// TDateTime counts days from 30 December 1899; the fraction is the time of
// day, also for dates before it (-1.25 is 29 December 1899, 06:00).
TDateTime QDateTimeToDateTime(const QDateTime& value);
QDateTime DateTimeToQDateTime(TDateTime value);   // local time, to the millisecond

// A clock that moves only when told. Safe to read from other threads.
class TFakeClock : public TClock {
public:
    explicit TFakeClock(Int64 nanoseconds = 0, TDateTime now = 0);
    Int64 Nanoseconds() override;
    TDateTime Now() override;
    void SetNanoseconds(Int64 nanoseconds);    // the wall clock stays
    void SetTickCount(Cardinal milliseconds);  // the counter at that many milliseconds
    void SetNow(TDateTime now);
    void Advance(Int64 nanoseconds);           // counter and wall clock together
    void AdvanceMs(Int64 milliseconds) { Advance(milliseconds * 1'000'000); }

private:
    std::atomic<Int64> nanoseconds_;
    std::atomic<Int64> wallOffset_;   // nanoseconds the wall clock has moved since wallStart_
    std::atomic<TDateTime> wallStart_;
};

// Installs a clock for the life of the object and restores the previous one.
class TScopedClock {
public:
    explicit TScopedClock(TClock& clock);
    ~TScopedClock();
    TScopedClock(const TScopedClock&) = delete;
    TScopedClock& operator=(const TScopedClock&) = delete;

private:
    TClock* previous_;
};
