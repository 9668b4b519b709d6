#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <string>
#include <string_view>
#include <vector>

// How the search sees text: folded (lower-cased, case-folded, accents and other combining
// marks removed, control characters turned into spaces), and split into words.
namespace SearchText {
// The folded form of text.
QString fold(QStringView text);
// The folded form, with for each of its characters the position of the character of text it
// came from (a ligature gives several folded characters, a mark none).
QString fold(QStringView text, std::vector<int> *origin);
// The folded search text split at white space, empty pieces dropped.
QStringList terms(const QString &searchText);

// Words are runs of letters and digits; any byte of a multi-byte UTF-8 sequence counts as a
// letter, so folded non-Latin text forms words too.
inline bool isWordByte(unsigned char c)
{
    return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
// The number of characters (code points) of UTF-8 text.
int letterCount(std::string_view utf8);
} // namespace SearchText
