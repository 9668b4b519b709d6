#include "StoreLog.h"

Q_LOGGING_CATEGORY(lcStore, "vorn.store")
Q_LOGGING_CATEGORY(lcSync, "vorn.sync")

namespace {
StoreLog::Sink &currentSink()
{
    static StoreLog::Sink sink;
    return sink;
}

// A sink takes every line: what it captures is a command's result, not a diagnostic.
bool captured(const QString &text)
{
    if (const StoreLog::Sink &sink = currentSink()) {
        sink(text);
        return true;
    }
    return false;
}
} // namespace

namespace StoreLog {
void line(const QString &text)
{
    line(lcStore(), text);
}

void line(const QLoggingCategory &category, const QString &text)
{
    if (!captured(text) && category.isInfoEnabled())
        QMessageLogger(nullptr, 0, nullptr, category.categoryName()).info().noquote() << text;
}

void warning(const QLoggingCategory &category, const QString &text)
{
    if (!captured(text) && category.isWarningEnabled())
        QMessageLogger(nullptr, 0, nullptr, category.categoryName()).warning().noquote() << text;
}

Sink setSink(Sink sink)
{
    Sink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}
} // namespace StoreLog
