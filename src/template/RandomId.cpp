#include "RandomId.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <cstring>

QUuid randomId()
{
    quint32 words[4];
    QRandomGenerator::global()->fillRange(words);
    char bytes[16];
    static_assert(sizeof(bytes) == sizeof(words));
    std::memcpy(bytes, words, sizeof(bytes));
    bytes[6] = char((bytes[6] & 0x0f) | 0x40); // version 4
    bytes[8] = char((bytes[8] & 0x3f) | 0x80); // RFC 4122 variant
    return QUuid::fromRfc4122(QByteArrayView(bytes, sizeof(bytes)));
}
