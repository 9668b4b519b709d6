#include "JsonWalk.h"

#include <cstring>

QByteArrayView JsonWalk::string()
{
    if (!take('"'))
        return fail();
    const char *start = m_p;
    while (true) {
        const void *quote = std::memchr(m_p, '"', size_t(m_end - m_p));
        if (!quote)
            return fail();
        const char *at = static_cast<const char *>(quote);
        // A quote after an odd number of backslashes is part of the string.
        const char *back = at;
        while (back > start && back[-1] == '\\')
            --back;
        m_p = at + 1;
        if ((at - back) % 2 == 0)
            return QByteArrayView(start, at - start);
    }
}

void JsonWalk::value()
{
    space();
    if (m_p >= m_end) {
        fail();
        return;
    }
    if (*m_p == '"') {
        string();
        return;
    }
    if (*m_p != '{' && *m_p != '[') {
        // A number or a literal.
        const char *start = m_p;
        while (m_p < m_end && !std::strchr(",}] \t\r\n", *m_p))
            ++m_p;
        if (m_p == start)
            fail();
        return;
    }
    int depth = 0;
    while (m_ok && m_p < m_end) {
        const char c = *m_p;
        if (c == '"') {
            string();
            continue;
        }
        ++m_p;
        if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            if (--depth == 0)
                return;
        }
    }
    fail();
}

QByteArrayView JsonWalk::fail()
{
    m_ok = false;
    m_p = m_end;
    return {};
}
