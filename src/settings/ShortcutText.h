#pragma once

#include <QChar>
#include <QString>

// How the global shortcut is written wherever the program shows it (tray menu, settings,
// messages): "Super+Shift+P".
namespace ShortcutText {
// "Super+Shift+", the part before the letter.
QString modifiers();
// "Super+Shift+" and the letter, upper-cased.
QString of(QChar letter);
} // namespace ShortcutText
