// Counts the bytes that operator new hands out, to measure what a parsed table costs in memory.
// The program replaces the global operator new and delete (AllocationCounter.cpp); only blocks
// allocated while counting is on are counted, so the timed benchmarks pay nothing for it.
#pragma once

#include <cstddef>

namespace AllocationCounter {

// Starts counting from zero live bytes.
void Start();
// Stops counting; blocks counted before stay counted until they are freed.
void Stop();

// Bytes requested by counted blocks that are still live (allocator overhead not included).
std::size_t LiveBytes();
// Highest LiveBytes() since Start().
std::size_t PeakBytes();
// Counted blocks still live, and the number live at the peak.
std::size_t LiveBlocks();
std::size_t PeakBlocks();

}  // namespace AllocationCounter
