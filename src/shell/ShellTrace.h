#pragma once

// Timing marks for the benchmarks: with VORN_TRACE=1 in the environment, each mark prints
// "VORN_TRACE <CLOCK_MONOTONIC milliseconds> <label>" on standard error.
namespace ShellTrace {
bool enabled();
void mark(const char *label);
} // namespace ShellTrace
