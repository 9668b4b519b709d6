#pragma once

#include <QCoreApplication>
#include <QSet>
#include <QString>
#include <QStringList>

// Checks the placeholder syntax of one template. Stricter than the parser: every
// placeholder needs a colon, and global list names must match the known keys exactly.
class TemplateValidator {
    Q_DECLARE_TR_FUNCTIONS(TemplateValidator)

public:
    // The findings for one template, as messages, in text order.
    static QStringList check(const QString &templateText, const QSet<QString> &globalKeys);
};
