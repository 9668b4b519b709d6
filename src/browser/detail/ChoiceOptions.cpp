#include "ChoiceOptions.h"

#include <QCollator>

#include <algorithm>

namespace {
// Spaces and tabs only: a header keeps any other character it was written with.
QString trimSpacesAndTabs(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool isHeader(const QString &option)
{
    return option.startsWith(u'#');
}
} // namespace

QList<ChoiceOptions::Group> ChoiceOptions::groups(const QStringList &options)
{
    QList<Group> result;
    Group current;
    auto close = [&] {
        if (current.hasHeader || !current.items.isEmpty())
            result.append(current);
    };
    for (const QString &option : options) {
        if (isHeader(option)) {
            close();
            current = Group{trimSpacesAndTabs(option.mid(1)), true, {}};
        } else {
            current.items.append(option);
        }
    }
    close();
    return result;
}

QStringList ChoiceOptions::sorted(const QStringList &options, const QLocale &locale)
{
    QStringList choices;
    choices.reserve(options.size());
    for (const QString &option : options)
        if (!isHeader(option))
            choices.append(option);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(choices.begin(), choices.end(), [&collator](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
    return choices;
}

QStringList ChoiceOptions::shown(const QStringList &options, bool isSorted, const QLocale &locale)
{
    return isSorted ? sorted(options, locale) : options;
}

QVariantList ChoiceOptions::menuEntries(const QStringList &options)
{
    QVariantList entries;
    bool first = true;
    for (const Group &group : groups(options)) {
        if (group.hasHeader) {
            entries.append(QVariantMap{{QStringLiteral("text"), group.header},
                                       {QStringLiteral("isHeader"), true},
                                       {QStringLiteral("isFirst"), first}});
            first = false;
        }
        for (const QString &item : group.items) {
            entries.append(QVariantMap{{QStringLiteral("text"), item},
                                       {QStringLiteral("isHeader"), false},
                                       {QStringLiteral("isFirst"), first}});
            first = false;
        }
    }
    return entries;
}
