#include "StoreLog.h"

#include <cstdio>

namespace {
StoreLog::Sink &currentSink()
{
    static StoreLog::Sink sink;
    return sink;
}
} // namespace

namespace StoreLog {
void line(const QString &text)
{
    if (const Sink &sink = currentSink()) {
        sink(text);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

Sink setSink(Sink sink)
{
    Sink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}
} // namespace StoreLog
