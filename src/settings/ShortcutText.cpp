#include "ShortcutText.h"

namespace ShortcutText {
QString modifiers()
{
    return QStringLiteral("Super+Shift+");
}

QString of(QChar letter)
{
    return modifiers() + letter.toUpper();
}
} // namespace ShortcutText
