#pragma once
// The live state of the simulated world as bytes, for the processes that share it
// (SharedWorld). A class names what it keeps once, in one member template that serves
// both directions:
//     template <typename Archive> void share(Archive& a) { a(m_config, m_link); }
// Numbers, enums, strings, arrays, vectors, maps, optionals, steady-clock times and
// classes with share() are understood. Every value also feeds a hash of the shape of
// what was written, so bytes from a build whose classes differ are refused as a whole
// instead of being misread.

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace kx::sim {

namespace archive {

template <typename T> struct IsVector : std::false_type {};
template <typename T> struct IsVector<std::vector<T>> : std::true_type {};
template <typename T> struct IsArray : std::false_type {};
template <typename T, std::size_t N> struct IsArray<std::array<T, N>> : std::true_type {};
template <typename T> struct IsMap : std::false_type {};
template <typename K, typename V> struct IsMap<std::map<K, V>> : std::true_type {};
template <typename T> struct IsOptional : std::false_type {};
template <typename T> struct IsOptional<std::optional<T>> : std::true_type {};

// Sequences of plain numbers travel as one block of bytes.
template <typename T>
inline constexpr bool kPlainNumber = std::is_arithmetic_v<T> && !std::is_same_v<T, bool>;

using SteadyTime = std::chrono::steady_clock::time_point;

// What kind of value comes next, for the shape hash.
enum Tag : std::uint8_t { Scalar = 1, Text, Sequence, Map, Optional, Time, Shared };

class Shape final {
public:
    void add(std::uint64_t value) {
        // One step per value: each state published gets its shape.
        m_hash = (m_hash ^ value) * 0x100000001B3ull;
        m_hash ^= m_hash >> 29;
    }
    std::uint64_t value() const { return m_hash; }

private:
    std::uint64_t m_hash = 0xCBF29CE484222325ull;
};

} // namespace archive

class StateWriter final {
public:
    // Writes over `buffer`: the memory of an earlier writer serves again. Without the
    // shape, which costs as much as the bytes, it tells only whether anything changed.
    explicit StateWriter(std::string buffer = {}, bool withShape = true)
        : m_bytes(std::move(buffer)), m_withShape(withShape) {}

    template <typename... T> void operator()(const T&... values) { (put(values), ...); }

    std::string_view bytes() const { return {m_bytes.data(), m_at}; }
    // The buffer, for the next writer.
    std::string release() { return std::move(m_bytes); }
    std::uint64_t shape() const { return m_shape.value(); }

private:
    // Written in place and inline: the world is written at the end of every call.
    void raw(const void* data, std::size_t size) {
        if (size == 0) // an empty vector has no data at all
            return;
        if (m_bytes.size() - m_at < size) [[unlikely]]
            grow(size);
        std::memcpy(m_bytes.data() + m_at, data, size);
        m_at += size;
    }
    void tag(std::uint64_t value) {
        if (m_withShape)
            m_shape.add(value);
    }
    [[gnu::noinline]] void grow(std::size_t size) {
        m_bytes.resize(std::max(2 * m_bytes.size(), m_at + size));
    }
    void count(std::size_t n) {
        const auto n64 = static_cast<std::uint64_t>(n);
        raw(&n64, sizeof n64);
    }

    template <typename T> void put(const T& value) {
        using namespace archive;
        if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) {
            tag(Scalar * 256 + sizeof(T));
            raw(&value, sizeof value);
        } else if constexpr (std::is_same_v<T, std::string>) {
            tag(Text);
            count(value.size());
            raw(value.data(), value.size());
        } else if constexpr (std::is_same_v<T, SteadyTime>) {
            tag(Time);
            const std::int64_t ns = value.time_since_epoch().count();
            raw(&ns, sizeof ns);
        } else if constexpr (IsVector<T>::value || IsArray<T>::value) {
            using Element = typename T::value_type;
            tag(Sequence);
            count(value.size());
            if constexpr (kPlainNumber<Element>) {
                tag(Scalar * 256 + sizeof(Element));
                raw(value.data(), value.size() * sizeof(Element));
            } else {
                for (const auto& element : value)
                    put(element);
            }
        } else if constexpr (IsMap<T>::value) {
            tag(Map);
            count(value.size());
            for (const auto& [key, element] : value) {
                put(key);
                put(element);
            }
        } else if constexpr (IsOptional<T>::value) {
            tag(Optional);
            put(value.has_value());
            if (value)
                put(*value);
        } else {
            tag(Shared);
            // share() names the members for both directions; writing only reads them.
            const_cast<T&>(value).share(*this);
        }
    }

    std::string m_bytes;
    std::size_t m_at = 0;
    bool m_withShape;
    archive::Shape m_shape;
};

class StateReader final {
public:
    explicit StateReader(std::string_view bytes) : m_bytes(bytes) {}

    template <typename... T> void operator()(T&... values) { (get(values), ...); }

    // Everything read, nothing left over and nothing missing. What was read into the
    // values is only usable when this holds and the shape matches the writer's.
    bool complete() const { return m_ok && m_at == m_bytes.size(); }
    std::uint64_t shape() const { return m_shape.value(); }

private:
    bool raw(void* data, std::size_t size) {
        if (!m_ok || m_bytes.size() - m_at < size) {
            m_ok = false;
            return false;
        }
        std::memcpy(data, m_bytes.data() + m_at, size);
        m_at += size;
        return true;
    }
    // A count of elements of at least `minimumBytes` each that the rest can hold: a
    // damaged count never makes a huge allocation.
    std::size_t count(std::size_t minimumBytes) {
        std::uint64_t n = 0;
        if (!raw(&n, sizeof n) ||
            n > (m_bytes.size() - m_at) / std::max<std::size_t>(minimumBytes, 1)) {
            m_ok = false;
            return 0;
        }
        return static_cast<std::size_t>(n);
    }

    template <typename T> void get(T& value) {
        using namespace archive;
        if (!m_ok)
            return;
        if constexpr (std::is_same_v<T, bool>) {
            m_shape.add(Scalar * 256 + sizeof(T));
            std::uint8_t byte = 0;
            raw(&byte, 1);
            m_ok = m_ok && byte <= 1;
            value = byte == 1;
        } else if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) {
            m_shape.add(Scalar * 256 + sizeof(T));
            raw(&value, sizeof value);
        } else if constexpr (std::is_same_v<T, std::string>) {
            m_shape.add(Text);
            value.resize(count(1));
            raw(value.data(), value.size());
        } else if constexpr (std::is_same_v<T, SteadyTime>) {
            m_shape.add(Time);
            std::int64_t ns = 0;
            raw(&ns, sizeof ns);
            value = SteadyTime(SteadyTime::duration(ns));
        } else if constexpr (IsVector<T>::value || IsArray<T>::value) {
            using Element = typename T::value_type;
            m_shape.add(Sequence);
            const std::size_t n = count(kPlainNumber<Element> ? sizeof(Element) : 1);
            if constexpr (IsVector<T>::value)
                value.resize(n);
            else
                m_ok = m_ok && n == value.size();
            if (!m_ok)
                return;
            if constexpr (kPlainNumber<Element>) {
                m_shape.add(Scalar * 256 + sizeof(Element));
                raw(value.data(), value.size() * sizeof(Element));
            } else {
                for (auto& element : value)
                    get(element);
            }
        } else if constexpr (IsMap<T>::value) {
            m_shape.add(Map);
            value.clear();
            for (std::size_t n = count(2); m_ok && n > 0; --n) {
                typename T::key_type key{};
                typename T::mapped_type element{};
                get(key);
                get(element);
                value.insert_or_assign(std::move(key), std::move(element));
            }
        } else if constexpr (IsOptional<T>::value) {
            m_shape.add(Optional);
            bool present = false;
            get(present);
            if (!present) {
                value.reset();
                return;
            }
            typename T::value_type inner{};
            get(inner);
            value = std::move(inner);
        } else {
            m_shape.add(Shared);
            value.share(*this);
        }
    }

    std::string_view m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
    archive::Shape m_shape;
};

} // namespace kx::sim
