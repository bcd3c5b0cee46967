#pragma once

// The calling thread's name, as debuggers and system monitors show it.
void NameThisThread(const char* name) noexcept;

// Raises the calling thread just above ordinary threads: the lowest real-time
// priority on Linux, where the system grants it; time-critical in its
// process's class on Windows. Otherwise it stays as it is.
void RaiseThisThread() noexcept;
