#pragma once

#include <QLoggingCategory>
#include <QString>

#include <functional>

// The library's diagnostics: opening, saving and moving a store aside.
Q_DECLARE_LOGGING_CATEGORY(lcStore)
// The report of the synchronisation with the shipped library ("PromptSyncService: ...").
Q_DECLARE_LOGGING_CATEGORY(lcSync)

// Diagnostic lines, written through Qt's logging categories (to standard error, as the host
// sets the message handler up) with their text as it stands. A command that reports what a
// service did (the command server, "library sync") takes the lines over with a Capture.
namespace StoreLog {
using Sink = std::function<void(const QString &line)>;

// An information line of the given category; lcStore by default.
void line(const QString &text);
void line(const QLoggingCategory &category, const QString &text);
// A warning line: shown even where information lines are kept quiet.
void warning(const QLoggingCategory &category, const QString &text);
// Replaces the sink and returns the previous one; an empty sink restores the logging.
Sink setSink(Sink sink);

// Sends the lines written during its lifetime to the given sink, then restores the old one.
class Capture {
public:
    explicit Capture(Sink sink) : m_previous(setSink(std::move(sink))) {}
    ~Capture() { setSink(std::move(m_previous)); }
    Capture(const Capture &) = delete;
    Capture &operator=(const Capture &) = delete;

private:
    Sink m_previous;
};
} // namespace StoreLog
