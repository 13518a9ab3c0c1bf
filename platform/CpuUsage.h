// The processor load of this machine, program-wide: each sample reads the
// kernel's per-processor statistics ("/proc/stat": the "cpuN" lines), and a
// processor's usage is the busy share of its time between the last two
// samples. Nothing here throws: a file that cannot be read or holds no
// processor lines makes the sampler invalid until a later sample succeeds.
#pragma once

#include "platform/SysTypes.h"

// Takes a new sample; false when it failed.
bool SampleCpuData();
// The number of processors found by the first good sample (one is taken when
// there is none yet); -1 while no sample succeeded.
Integer CpuCount();
// The usage of one processor as a fraction (1.0 = fully busy); 0 for the
// first sample (no interval yet) and when no time passed; -1 for an index
// outside 0..CpuCount-1 and while the last sample failed.
double CpuUsage(Integer index);

// The statistics file to read (tests use canned samples); the sampler starts
// afresh. An empty path restores "/proc/stat".
void SetCpuStatFile(const AnsiString& path);
