#include "ShellTrace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace ShellTrace {
bool enabled()
{
    static const bool on = [] {
        const char *value = std::getenv("VORN_TRACE");
        return value && *value && std::strcmp(value, "0") != 0;
    }();
    return on;
}

void mark(const char *label)
{
    if (!enabled())
        return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "VORN_TRACE %.3f %s\n", double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6, label);
    std::fflush(stderr);
}
} // namespace ShellTrace
