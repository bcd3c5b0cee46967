#pragma once

// Counts the calls of the global operator new made on the calling thread
// while counting is on; this executable replaces operator new for it.
namespace AllocationCounter {
void Start();
void Stop();
long Count();
} // namespace AllocationCounter
