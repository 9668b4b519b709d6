#pragma once

#include <QString>

namespace TestSupport {
// The temporary folder that stands in for HOME during this test run.
QString homeDir();
// A fresh empty folder inside it, for one test case.
QString freshDir(const QString &name);
// Directory of the test executable (to find helper programs built beside it).
QString binaryDir();
} // namespace TestSupport
