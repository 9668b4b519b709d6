#pragma once

#include <QByteArrayView>

// Walks a JSON text without building it: enough to find the top-level keys, skip what they
// hold and count an array's elements. Strings are skipped with memchr, so the long templates
// cost little. Any surprise stops the walk (ok() false).
class JsonWalk {
public:
    explicit JsonWalk(QByteArrayView text) : m_p(text.data()), m_end(text.data() + text.size()) {}

    bool ok() const { return m_ok; }
    const char *position() const { return m_p; }
    bool atEnd()
    {
        space();
        return m_p == m_end;
    }

    void space()
    {
        while (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
            ++m_p;
    }
    // Takes c (after white space), or fails.
    bool take(char c)
    {
        space();
        if (m_p < m_end && *m_p == c) {
            ++m_p;
            return true;
        }
        return false;
    }
    bool peek(char c)
    {
        space();
        return m_p < m_end && *m_p == c;
    }
    // A string's raw bytes between its quotes (escapes left as they are).
    QByteArrayView string();
    // Skips one value of any kind.
    void value();
    // Stops the walk: ok() is false from now on.
    QByteArrayView fail();

private:
    const char *m_p;
    const char *m_end;
    bool m_ok = true;
};
