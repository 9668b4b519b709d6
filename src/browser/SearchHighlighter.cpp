#include "SearchHighlighter.h"

#include "SearchText.h"

#include <vector>

namespace {
bool startsWord(const QString &folded, qsizetype at)
{
    return at == 0 || !folded.at(at - 1).isLetterOrNumber();
}

bool needsEscaping(QStringView text)
{
    for (const QChar c : text)
        if (c == u'&' || c == u'<' || c == u'>' || c == u'\n')
            return true;
    return false;
}

QString escaped(QStringView text)
{
    QString out = text.toString().toHtmlEscaped();
    out.replace(u'\n', QStringLiteral("<br>"));
    return out;
}
} // namespace

namespace SearchHighlighter {
Ranges ranges(const QString &text, const QStringList &terms, const QStringList &words, bool initials)
{
    std::vector<int> origin;
    const QString folded = SearchText::fold(text, &origin);
    std::vector<bool> marked(size_t(folded.size()), false);
    const auto markAt = [&](qsizetype at, qsizetype length) {
        for (qsizetype k = at; k < at + length && k < folded.size(); ++k)
            marked[size_t(k)] = true;
    };
    for (const QString &term : terms) {
        if (term.isEmpty())
            continue;
        for (qsizetype at = folded.indexOf(term); at >= 0; at = folded.indexOf(term, at + 1))
            markAt(at, term.size());
    }
    for (const QString &word : words) {
        if (word.isEmpty())
            continue;
        for (qsizetype at = folded.indexOf(word); at >= 0; at = folded.indexOf(word, at + 1))
            if (startsWord(folded, at))
                markAt(at, word.size());
    }
    if (initials) {
        std::vector<qsizetype> starts;
        QString letters;
        for (qsizetype k = 0; k < folded.size(); ++k) {
            if (folded.at(k).isLetterOrNumber() && startsWord(folded, k)) {
                starts.push_back(k);
                letters.append(folded.at(k));
            }
        }
        for (const QString &term : terms)
            if (term.size() >= 2 && letters.startsWith(term))
                for (qsizetype k = 0; k < term.size(); ++k)
                    markAt(starts[size_t(k)], 1);
    }

    // Back to the positions of the text itself; a character folded into several (or a
    // surrogate pair) is marked whole.
    std::vector<bool> original(size_t(text.size()), false);
    for (size_t k = 0; k < marked.size(); ++k) {
        if (!marked[k])
            continue;
        const int at = origin[k];
        original[size_t(at)] = true;
        if (text.at(at).isHighSurrogate() && at + 1 < text.size())
            original[size_t(at) + 1] = true;
    }
    Ranges out;
    for (int i = 0; i < int(original.size());) {
        if (!original[size_t(i)]) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < int(original.size()) && original[size_t(i)])
            ++i;
        out.append({start, i - start});
    }
    return out;
}

QString styled(const QString &text)
{
    // Most texts have nothing to escape: they are handed on without a copy.
    return needsEscaping(text) ? escaped(text) : text;
}

QString markup(const QString &text, const Ranges &ranges, const QString &color)
{
    if (ranges.isEmpty())
        return styled(text);
    QString out;
    int at = 0;
    for (const auto &[start, length] : ranges) {
        out += escaped(QStringView(text).mid(at, start - at));
        out += QStringLiteral("<font color=\"%1\"><b>").arg(color);
        out += escaped(QStringView(text).mid(start, length));
        out += QStringLiteral("</b></font>");
        at = start + length;
    }
    out += escaped(QStringView(text).mid(at));
    return out;
}
} // namespace SearchHighlighter
