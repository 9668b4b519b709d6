#pragma once

#include <QString>

// What one operation on the library came to: done, or not, with the line that says why.
// The panel shows the line; the command line turns the outcome into its exit status.
struct ActionOutcome {
    bool ok = true;
    QString problem;

    static ActionOutcome done() { return {}; }
    static ActionOutcome failed(const QString &problem) { return {false, problem}; }
};
