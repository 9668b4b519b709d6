#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The parts of a title or description that made a prompt a result, for the row to show.
namespace SearchHighlighter {
// (start, length) in the text as given, in order, not overlapping.
using Ranges = QList<QPair<int, int>>;

// Where any of the folded terms occurs in text, anywhere, and where a word of the folded
// words begins a word of text; with initials, the first letters of text's words when a term
// is the beginning of their initials.
Ranges ranges(const QString &text, const QStringList &terms, const QStringList &words = {}, bool initials = false);
// The text as styled text, shown as written.
QString styled(const QString &text);
// The text as styled text, with the ranges in the colour given (a colour name or #rrggbb).
QString markup(const QString &text, const Ranges &ranges, const QString &color);
} // namespace SearchHighlighter
