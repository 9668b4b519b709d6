#include "ShortcutText.h"

namespace ShortcutText {
QString modifiers()
{
    return QStringLiteral("Super+Shift+"); // untranslated: key names, also in log lines
}

QString of(QChar letter)
{
    return modifiers() + letter.toUpper();
}
} // namespace ShortcutText
