#include "NameCollator.h"

#include <QLocale>

QCollator NameCollator::collator()
{
    // The C locale collates by code point and ignores numeric mode; a session without a
    // language setting still gets a reader's order.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}
