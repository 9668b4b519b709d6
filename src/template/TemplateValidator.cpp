#include "TemplateValidator.h"

#include "PromptParser.h"

#include <QRegularExpression>
#include <QSet>

QStringList TemplateValidator::check(const QString &templateText, const QSet<QString> &globalKeys)
{
    // Unlike the parser's pattern this one spans line breaks.
    static const QRegularExpression pattern(QStringLiteral("\\{\\{([^}]+)\\}\\}"));
    QStringList messages;
    if (templateText.isEmpty())
        return messages;

    const qsizetype opening = templateText.count(u'{');
    const qsizetype closing = templateText.count(u'}');
    if (opening != closing)
        messages.append(
            tr("Unbalanced brackets: %1 '{' vs %2 '}'").arg(opening).arg(closing));

    // The matcher finds nothing in text with unpaired surrogates; read them as U+FFFD.
    const QString text = QStringView(templateText).isValidUtf16()
                             ? templateText
                             : PromptParser::withoutLoneSurrogates(templateText);
    QRegularExpressionMatchIterator it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QStringView whole = match.capturedView(0);
        const QStringView content = whole.mid(2, whole.size() - 4);
        const qsizetype colon = content.indexOf(u':');
        if (colon < 0) {
            //: %1 is the placeholder as written; "Name: Value" shows its form and stays as it is.
            messages.append(tr("Invalid format in '%1'. Expected 'Name: Value'.").arg(whole.toString()));
            continue;
        }
        const QStringView spec = PromptParser::trim(content.mid(colon + 1));
        if (spec.size() >= 2 && spec.startsWith(u'[') && spec.endsWith(u']')) {
            const QString name = spec.mid(1, spec.size() - 2).toString();
            if (!name.contains(u',') && !globalKeys.contains(name))
                messages.append(tr("Unknown global variable: '[%1]'").arg(name));
        }
    }
    return messages;
}
