#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariantList>

// The option rules of a choice field: entries starting with "#" are group headers that
// open a menu section, and the sorted view drops them and orders the rest alphabetically.
class ChoiceOptions {
public:
    struct Group {
        QString header; // empty: plain entries without a section title
        bool hasHeader = false;
        QStringList items;
        bool operator==(const Group &other) const = default;
    };

    // Lists with more options than this get a sort button.
    static constexpr int SortButtonThreshold = 10;

    // The menu sections in order; a group is kept when it has a header or any item.
    static QList<Group> groups(const QStringList &options);
    // Options without headers, case-insensitively in the locale's order; ties keep their order.
    static QStringList sorted(const QStringList &options, const QLocale &locale = QLocale());
    // What the field offers: the options as written, or sorted when the user asked for it.
    static QStringList shown(const QStringList &options, bool isSorted,
                             const QLocale &locale = QLocale());
    static bool hasSortButton(const QStringList &options)
    {
        return options.size() > SortButtonThreshold;
    }
    // The menu as a flat list for the view: {text, isHeader, isFirst} per row.
    static QVariantList menuEntries(const QStringList &options);
};
