#pragma once

#include <QCollator>
#include <QList>
#include <QString>

#include <algorithm>

// The one order of names and titles everywhere a list is sorted for reading: the user's
// locale, case ignored, digits by value ("Item 2" before "Item 10"), "apple" before "Zebra".
class NameCollator
{
public:
    static QCollator collator();

    // Sorts in place by the text key(item) gives; equal names keep their order.
    template <class T, class Key> static void sort(QList<T> &items, Key key)
    {
        const QCollator order = collator();
        std::stable_sort(items.begin(), items.end(),
                         [&](const T &a, const T &b) { return order.compare(key(a), key(b)) < 0; });
    }
};
