#include "PromptParser.h"

#include "RandomId.h"

#include <algorithm>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {
// The process runs under the user's locale (Qt sets it at start-up), but numbers in
// templates and stored values always use the C conventions.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

bool isTrimmed(QChar c)
{
    if (c.unicode() < 0x80)
        return c == u' ' || c == u'\t';
    return c.category() == QChar::Separator_Space;
}

// LF, VT, FF, CR, NEL, LS and PS: a placeholder never spans one.
bool isLineBreak(char16_t u)
{
    return (u >= 0x0a && u <= 0x0d) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

bool isWordBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x85:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        if (c.unicode() < 0x80)
            return c == u' ';
        return c.category() == QChar::Separator_Space;
    }
}

// Splits at every separator and drops the empty pieces.
QList<QStringView> splitNonEmpty(QStringView text, QChar separator)
{
    QList<QStringView> pieces;
    qsizetype from = 0;
    while (from <= text.size()) {
        qsizetype at = text.indexOf(separator, from);
        if (at < 0)
            at = text.size();
        if (at > from)
            pieces.append(text.mid(from, at - from));
        from = at + 1;
    }
    return pieces;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
} // namespace

PromptParser::LowerGlobalMap PromptParser::lowerCased(const GlobalMap &globals)
{
    // Keys that collide after lower-casing: the first in key order wins.
    LowerGlobalMap lower;
    lower.reserve(globals.size());
    for (auto it = globals.cbegin(); it != globals.cend(); ++it) {
        const QString key = it.key().toLower();
        if (!lower.contains(key))
            lower.insert(key, it.value());
    }
    return lower;
}

QList<ParsedPromptVariable> PromptParser::parse(const QString &templateText,
                                                const GlobalMap &globals) const
{
    QList<ParsedPromptVariable> variables;
    const QStringView text(templateText);
    const char16_t *data = text.utf16();
    const qsizetype size = text.size();
    LowerGlobalMap lower;
    bool lowerBuilt = false;

    // A placeholder is "{{", the shortest text without a line break, then "}}". When no "}}"
    // comes before the next line break, no "{{" before that break can start one either, so
    // the search goes on after it: one pass over the text.
    qsizetype from = 0;
    while (from < size) {
        const qsizetype start = text.indexOf(u'{', from);
        if (start < 0 || start + 1 >= size)
            break;
        if (data[start + 1] != u'{') {
            from = start + 1;
            continue;
        }
        qsizetype i = start + 2;
        while (i < size && !(data[i] == u'}' && i + 1 < size && data[i + 1] == u'}') && !isLineBreak(data[i]))
            ++i;
        if (i >= size || data[i] != u'}') {
            from = i + 1; // past the line break, or the end
            continue;
        }
        if (!lowerBuilt) {
            lower = lowerCased(globals);
            lowerBuilt = true;
        }
        // An unpaired surrogate is read as U+FFFD. Pairs never span "{{" or "}}", so looking
        // at the inner text alone is enough, and every position stays as it is.
        QStringView inner = text.mid(start + 2, i - start - 2);
        QString cleaned;
        if (!inner.isValidUtf16()) {
            cleaned = withoutLoneSurrogates(inner.toString());
            inner = cleaned;
        }
        if (auto variable = parseVariable(inner, {start, i + 2}, lower))
            variables.append(std::move(*variable));
        from = i + 2;
    }
    return variables;
}

QString PromptParser::withoutLoneSurrogates(const QString &text)
{
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        if (c.isHighSurrogate() && i + 1 < out.size() && out.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            out[i] = QChar::ReplacementCharacter;
    }
    return out;
}

std::optional<ParsedPromptVariable> PromptParser::parseVariable(QStringView inner,
                                                                ParsedPromptVariable::Range range,
                                                                const LowerGlobalMap &globals) const
{
    // Split at the first colon only; empty pieces on either side are dropped.
    QStringView name;
    QStringView spec;
    bool hasSpec = false;
    const qsizetype colon = inner.indexOf(u':');
    if (colon < 0) {
        name = inner;
    } else {
        const QStringView before = inner.left(colon);
        const QStringView after = inner.mid(colon + 1);
        if (before.isEmpty()) {
            name = after;
        } else {
            name = before;
            spec = after;
            hasSpec = !after.isEmpty();
        }
    }
    name = trim(name);
    if (name.isEmpty())
        return std::nullopt;

    ParsedPromptVariable variable;
    variable.id = randomId();
    variable.label = capitalized(name);
    variable.range = range;
    if (hasSpec)
        spec = trim(spec);
    if (!hasSpec || spec.isEmpty()) {
        variable.type = VariableType::multilineText();
        return variable;
    }

    if (spec.startsWith(u'[') && spec.endsWith(u']')) {
        const QString key = spec.mid(1, spec.size() - 2).toString().toLower();
        variable.type = VariableType::comboBox(globals.value(key));
        return variable;
    }
    if (spec.contains(u',')) {
        QStringList options;
        for (QStringView piece : splitNonEmpty(spec, u','))
            options.append(trim(piece).toString());
        variable.type = VariableType::comboBox(std::move(options));
        return variable;
    }
    if (spec.contains(u'-')) {
        if (const auto date = readDate(spec)) {
            variable.type = VariableType::date(date);
            return variable;
        }
        const QList<QStringView> pieces = splitNonEmpty(spec, u'-');
        if (pieces.size() == 2) {
            const auto min = readNumber(trim(pieces[0]));
            const auto max = readNumber(trim(pieces[1]));
            if (min && max) {
                variable.type = VariableType::range(*min, *max);
                return variable;
            }
        }
    }
    // Every date contains "-", so the date test above already covers text without one.
    if (const auto number = readNumber(spec)) {
        variable.type = VariableType::number(number);
        return variable;
    }
    variable.type = VariableType::multilineText(spec.toString());
    return variable;
}

QStringView PromptParser::trim(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(text[begin]))
        ++begin;
    while (end > begin && isTrimmed(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString PromptParser::capitalized(QStringView text)
{
    // Per word, the first letter goes up and everything else down; what precedes that
    // letter (braces, quotes, digits) is kept, so "{{b" reads "{{B".
    QString out;
    out.reserve(text.size());
    bool seenLetter = false;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (isWordBreak(c)) {
            out.append(c);
            seenLetter = false;
            ++i;
            continue;
        }
        const qsizetype length =
            (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        const QStringView piece = text.mid(i, length);
        const char32_t codePoint =
            length == 2 ? QChar::surrogateToUcs4(c, text[i + 1]) : char32_t(c.unicode());
        const bool raise = !seenLetter && QChar::isLetter(codePoint);
        seenLetter = seenLetter || raise;
        if (codePoint < 0x80) {
            const char ascii = char(codePoint);
            out.append(QLatin1Char(raise ? (ascii >= 'a' && ascii <= 'z' ? ascii - 32 : ascii)
                                         : (ascii >= 'A' && ascii <= 'Z' ? ascii + 32 : ascii)));
        } else {
            // Full case mapping may change the length ("ß" becomes "SS").
            out.append(raise ? piece.toString().toUpper() : piece.toString().toLower());
        }
        i += length;
    }
    return out;
}

std::optional<QDateTime> PromptParser::readDate(QStringView text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    for (qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!isAsciiDigit(text[i]))
            return std::nullopt;
    const auto digits = [&](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i)
            value = value * 10 + (text[i].unicode() - u'0');
        return value;
    };
    const QDate date(digits(0, 4), digits(5, 2), digits(8, 2));
    if (!date.isValid())
        return std::nullopt;
    return date.startOfDay();
}

std::optional<double> PromptParser::readNumber(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    // Anything outside ASCII cannot be part of a number; this also keeps the conversion to
    // bytes one to one. A NUL stops strtod early and fails the "nothing left over" test.
    char buffer[64];
    QByteArray heap;
    char *bytes = buffer;
    if (text.size() >= qsizetype(sizeof(buffer))) {
        heap.resize(text.size() + 1);
        bytes = heap.data();
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80)
            return std::nullopt;
        bytes[i] = char(c);
    }
    bytes[text.size()] = '\0';
    switch (bytes[0]) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
        return std::nullopt;
    default:
        break;
    }
    char *end = nullptr;
    const double value = strtod_l(bytes, &end, cLocale());
    if (end != bytes + text.size())
        return std::nullopt;
    return value;
}

QString PromptParser::formatNumber(double value)
{
    char buffer[64];
    const locale_t previous = uselocale(cLocale());
    const int length = std::snprintf(buffer, sizeof(buffer), "%g", value);
    uselocale(previous);
    if (length < 0)
        return {};
    return QString::fromLatin1(buffer, qMin<int>(length, int(sizeof(buffer)) - 1));
}
