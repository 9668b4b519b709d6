#pragma once

#include <QLoggingCategory>

// The desktop shell's diagnostics: tray, shortcut, windows, login item.
Q_DECLARE_LOGGING_CATEGORY(lcShell)

// Where diagnostics go and which are shown: every line to standard error as its plain text
// (QT_MESSAGE_PATTERN and QT_LOGGING_RULES still apply), standard output being a command's
// result alone.
namespace Diagnostics {
enum class Level {
    App,          // the desktop app: information and warnings
    CommandQuiet, // a command: no start-up synchronisation report, the rest as in the app
    Everything,   // --verbose: every line, debugging ones too
};
void setUp(Level level);
// The filter rules of a level, as QLoggingCategory::setFilterRules takes them.
QString filterRules(Level level);
} // namespace Diagnostics
