#pragma once

#include <QIODevice>

#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// Numbers and plain arrays written to a file as they lie in memory, each array on an 8-byte
// boundary, and read back from the file's bytes (mapped into memory): arrays as views into
// those bytes, without a copy. Every count is checked against what is left: damaged bytes
// make the reading fail (ok() false), never a read past their end. For files this program
// writes and reads on the same machine only.
class BinaryStream {
public:
    // Writing to a device.
    explicit BinaryStream(QIODevice &device) : m_device(&device) {}
    // Reading from bytes, which must start on an 8-byte boundary (as a mapped file does).
    explicit BinaryStream(std::span<const char> bytes)
        : m_bytes(bytes), m_ok(reinterpret_cast<quintptr>(bytes.data()) % Alignment == 0)
    {
    }

    bool ok() const { return m_ok; }
    // Marks the reading failed: what was read does not hold together.
    void fail() { m_ok = false; }
    bool atEnd() const { return m_at == m_bytes.size(); }

    template <class T> void put(const T &value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        putBytes(&value, sizeof(T));
    }
    template <class T> void putArray(std::span<const T> values)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        put(quint64(values.size()));
        static const char zeros[Alignment] = {};
        putBytes(zeros, (Alignment - m_written % Alignment) % Alignment);
        putBytes(values.data(), values.size() * sizeof(T));
    }
    template <class T> void putArray(const std::vector<T> &values) { putArray(std::span<const T>(values)); }
    void putArray(std::string_view bytes) { putArray(std::span<const char>(bytes.data(), bytes.size())); }

    template <class T> bool get(T &value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        if (!take(sizeof(T)))
            return false;
        std::memcpy(&value, m_bytes.data() + m_at - sizeof(T), sizeof(T));
        return true;
    }
    template <class T> bool view(std::span<const T> &values)
    {
        static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= Alignment);
        quint64 count = 0;
        if (!get(count) || !take((Alignment - m_at % Alignment) % Alignment))
            return false;
        if (count > (m_bytes.size() - m_at) / sizeof(T)) {
            m_ok = false;
            return false;
        }
        values = std::span<const T>(reinterpret_cast<const T *>(m_bytes.data() + m_at), size_t(count));
        m_at += values.size() * sizeof(T);
        return true;
    }
    bool view(std::string_view &bytes)
    {
        std::span<const char> chars;
        if (!view(chars))
            return false;
        bytes = std::string_view(chars.data(), chars.size());
        return true;
    }

private:
    static constexpr size_t Alignment = 8;

    void putBytes(const void *data, size_t size)
    {
        if (m_ok && size > 0)
            m_ok = m_device->write(static_cast<const char *>(data), qint64(size)) == qint64(size);
        m_written += size;
    }
    bool take(size_t size)
    {
        m_ok = m_ok && size <= m_bytes.size() - m_at;
        if (m_ok)
            m_at += size;
        return m_ok;
    }

    QIODevice *m_device = nullptr;
    size_t m_written = 0;
    std::span<const char> m_bytes;
    size_t m_at = 0;
    bool m_ok = true;
};
