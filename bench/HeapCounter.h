// Watches the heap during one step of a benchmark, so that its peak use can be reported.
#pragma once

#include <cstdint>

namespace tollward::bench {

// Between the two calls every operator new and delete of the program is counted, including
// the release of blocks taken before; outside them nothing is, so that timed runs pay nothing.
// One watch at a time, on one thread.
void StartHeapWatch();
// The most the program held at once during the watch, above what it held at its start.
std::int64_t StopHeapWatch();

}  // namespace tollward::bench
