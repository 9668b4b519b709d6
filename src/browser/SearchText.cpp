#include "SearchText.h"

namespace {
void appendFolded(QString &out, std::vector<int> *origin, QStringView unit, int at)
{
    const auto append = [&](QChar c) {
        // Control characters separate words like spaces do.
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
        out.append(c);
        if (origin)
            origin->push_back(at);
    };
    if (unit.size() == 1 && unit.front().unicode() < 0x80) {
        append(unit.front().toLower());
        return;
    }
    // Decompose, so an accent becomes a mark of its own, and leave the marks out.
    const QString decomposed = unit.toString().normalized(QString::NormalizationForm_KD);
    QString kept;
    for (QChar c : decomposed) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            break;
        default:
            kept.append(c);
        }
    }
    for (QChar c : kept.toCaseFolded())
        append(c);
}
} // namespace

namespace SearchText {
QString fold(QStringView text)
{
    return fold(text, nullptr);
}

QString fold(QStringView text, std::vector<int> *origin)
{
    QString out;
    out.reserve(text.size());
    if (origin) {
        origin->clear();
        origin->reserve(size_t(text.size()));
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is one character.
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        appendFolded(out, origin, text.mid(i, length), int(i));
        i += length - 1;
    }
    return out;
}

QStringList terms(const QString &searchText)
{
    QStringList out;
    const QString folded = fold(searchText);
    qsizetype start = -1;
    for (qsizetype i = 0; i <= folded.size(); ++i) {
        const bool space = i == folded.size() || folded.at(i).isSpace();
        if (space && start >= 0) {
            out.append(folded.mid(start, i - start));
            start = -1;
        } else if (!space && start < 0) {
            start = i;
        }
    }
    return out;
}

int letterCount(std::string_view utf8)
{
    int count = 0;
    for (unsigned char c : utf8)
        count += (c & 0xc0) != 0x80;
    return count;
}
} // namespace SearchText
