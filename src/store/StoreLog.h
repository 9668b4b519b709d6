#pragma once

#include <QString>

#include <functional>

// Diagnostic lines of the library services: plain lines on standard output by default.
// The command server redirects them to the client that asked for the operation.
namespace StoreLog {
using Sink = std::function<void(const QString &line)>;

void line(const QString &text);
// Replaces the sink and returns the previous one; an empty sink restores standard output.
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
