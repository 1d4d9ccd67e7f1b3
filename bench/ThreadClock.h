#pragma once

#include <ctime>

// CPU time of the calling thread, in seconds. The benchmarks time with it rather than the wall
// clock because the machine they run on is shared: another process's work does not count.
class ThreadClock {
public:
    static double now()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
    }
};
