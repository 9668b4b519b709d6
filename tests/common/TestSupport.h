#pragma once

#include <QByteArray>
#include <QString>

namespace TestSupport {
// The temporary folder that stands in for HOME during this test run.
QString homeDir();
// A fresh empty folder inside it, for one test case.
QString freshDir(const QString &name);
// Directory of the test executable (to find helper programs built beside it).
QString binaryDir();
// The whole of a file; empty when it cannot be read.
QByteArray readFile(const QString &path);
// Writes the bytes as the whole file, making its folder first; a failure fails the test.
void writeFile(const QString &path, const QByteArray &bytes);

// Runs the process in another time zone while it lives; the previous zone comes back after.
class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char *zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone &) = delete;
    ScopedTimeZone &operator=(const ScopedTimeZone &) = delete;

private:
    QByteArray m_previous;
    bool m_hadZone = false;
};
} // namespace TestSupport
