#pragma once
// A contiguous array with spare room before its first and after its last element. Inserting
// or erasing a run moves whichever side of it is shorter, so work near either end costs little
// however long the array is; indexing is a base pointer plus an index, as in a vector.
// Elements are plain data (copied bytewise); allocation failures throw std::bad_alloc.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <type_traits>

namespace qor {

template <class T>
class EndsVector {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                  "elements are moved as bytes");

public:
    using value_type = T;
    using iterator = T *;
    using const_iterator = const T *;

    EndsVector() = default;
    explicit EndsVector(size_t n, const T &value = T()) { assign(n, value); }
    EndsVector(const EndsVector &other) { copyFrom(other); }
    EndsVector(EndsVector &&other) noexcept { swap(other); }
    EndsVector &operator=(const EndsVector &other)
    {
        if (this != &other) {
            EndsVector copy(other);
            swap(copy);
        }
        return *this;
    }
    EndsVector &operator=(EndsVector &&other) noexcept
    {
        EndsVector gone;
        gone.swap(other);
        swap(gone);
        return *this;
    }
    ~EndsVector() { std::free(m_alloc); }

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T *data() { return m_begin; }
    const T *data() const { return m_begin; }
    T *begin() { return m_begin; }
    T *end() { return m_begin + m_size; }
    const T *begin() const { return m_begin; }
    const T *end() const { return m_begin + m_size; }
    T &operator[](size_t i) { return m_begin[i]; }
    const T &operator[](size_t i) const { return m_begin[i]; }
    T &at(size_t i)
    {
        if (i >= m_size)
            throw std::out_of_range("EndsVector::at");
        return m_begin[i];
    }
    const T &at(size_t i) const { return const_cast<EndsVector *>(this)->at(i); }
    T &front() { return m_begin[0]; }
    T &back() { return m_begin[m_size - 1]; }
    const T &front() const { return m_begin[0]; }
    const T &back() const { return m_begin[m_size - 1]; }
    // Room left before the first element and after the last one.
    size_t frontRoom() const { return size_t(m_begin - m_alloc); }
    size_t backRoom() const { return m_capacity - frontRoom() - m_size; }

    void swap(EndsVector &other) noexcept
    {
        std::swap(m_alloc, other.m_alloc);
        std::swap(m_begin, other.m_begin);
        std::swap(m_size, other.m_size);
        std::swap(m_capacity, other.m_capacity);
    }
    void clear()
    {
        m_size = 0;
        m_begin = m_alloc + m_capacity / 2;
    }

    // n copies of value, with no spare room.
    void assign(size_t n, const T &value)
    {
        EndsVector fresh;
        fresh.allocate(n, false);
        std::fill(fresh.m_begin, fresh.m_begin + n, value);
        fresh.m_size = n;
        swap(fresh);
    }
    // n elements of all-zero bytes, straight from the allocator: a large array that is never
    // written does not touch its pages.
    void assignZeroed(size_t n)
    {
        EndsVector fresh;
        fresh.allocate(n, true);
        fresh.m_size = n;
        swap(fresh);
    }

    iterator insert(const_iterator pos, size_t n, const T &value)
    {
        const size_t at = size_t(pos - m_begin);
        const T copy = value; // value may live in the part that moves
        openGap(at, n);
        std::fill(m_begin + at, m_begin + at + n, copy);
        return m_begin + at;
    }
    iterator insert(const_iterator pos, const T &value) { return insert(pos, 1, value); }
    void push_back(const T &value) { insert(end(), 1, value); }
    void push_front(const T &value) { insert(begin(), 1, value); }

    iterator erase(const_iterator first, const_iterator last)
    {
        const size_t at = size_t(first - m_begin);
        const size_t n = size_t(last - first);
        if (n == 0)
            return m_begin + at;
        const size_t after = m_size - at - n;
        if (at < after) {
            std::memmove(static_cast<void *>(m_begin + n), m_begin, at * sizeof(T));
            m_begin += n;
        } else {
            std::memmove(static_cast<void *>(m_begin + at), m_begin + at + n, after * sizeof(T));
        }
        m_size -= n;
        if (m_size == 0)
            m_begin = m_alloc + m_capacity / 2;
        return m_begin + at;
    }
    iterator erase(const_iterator pos) { return erase(pos, pos + 1); }

    void resize(size_t n, const T &value = T())
    {
        if (n < m_size)
            erase(begin() + n, end());
        else
            insert(end(), n - m_size, value);
    }

private:
    // Makes room for n elements before index at; the new elements are left unwritten.
    void openGap(size_t at, size_t n)
    {
        if (n == 0)
            return;
        if (n > maxSize() - m_size)
            throw std::bad_alloc();
        const size_t after = m_size - at;
        const bool frontShorter = at < after;
        const size_t shorter = frontShorter ? at : after;
        const size_t longer = frontShorter ? after : at;
        const bool frontFits = frontRoom() >= n;
        const bool backFits = backRoom() >= n;
        // The longer side is moved only while that costs little more than the shorter would;
        // otherwise the room is spread out again, so that a run of inserts at one end stays
        // cheap.
        const bool longerIsCheap = longer <= 2 * shorter + 16;
        if (frontShorter ? frontFits : backFits) {
            shift(at, n, frontShorter);
        } else if ((frontShorter ? backFits : frontFits) && longerIsCheap) {
            shift(at, n, !frontShorter);
        } else {
            rebuild(at, n);
        }
        m_size += n;
    }

    void shift(size_t at, size_t n, bool towardFront)
    {
        if (towardFront) {
            std::memmove(static_cast<void *>(m_begin - n), m_begin, at * sizeof(T));
            m_begin -= n;
        } else {
            std::memmove(static_cast<void *>(m_begin + at + n), m_begin + at, (m_size - at) * sizeof(T));
        }
    }

    // Lays the elements out again with a gap of n at at and the spare room split evenly
    // between both ends: in place when a fair share of room is left, else in a larger block.
    void rebuild(size_t at, size_t n)
    {
        const size_t needed = m_size + n;
        if (m_capacity >= needed + needed / 8 + 2) {
            T *start = m_alloc + (m_capacity - needed) / 2;
            // Both parts go to their new places; memmove copes with the overlap as long as
            // the part moving toward lower addresses goes first.
            if (start <= m_begin) {
                std::memmove(static_cast<void *>(start), m_begin, at * sizeof(T));
                std::memmove(static_cast<void *>(start + at + n), m_begin + at, (m_size - at) * sizeof(T));
            } else {
                std::memmove(static_cast<void *>(start + at + n), m_begin + at, (m_size - at) * sizeof(T));
                std::memmove(static_cast<void *>(start), m_begin, at * sizeof(T));
            }
            m_begin = start;
            return;
        }
        const size_t room = std::max<size_t>(needed / 2, 16);
        const size_t capacity = needed <= maxSize() - room ? needed + room : maxSize();
        T *block = static_cast<T *>(std::malloc(capacity * sizeof(T)));
        if (!block)
            throw std::bad_alloc();
        T *start = block + (capacity - needed) / 2;
        if (m_size) {
            std::memcpy(static_cast<void *>(start), m_begin, at * sizeof(T));
            std::memcpy(static_cast<void *>(start + at + n), m_begin + at, (m_size - at) * sizeof(T));
        }
        std::free(m_alloc);
        m_alloc = block;
        m_begin = start;
        m_capacity = capacity;
    }

    void allocate(size_t n, bool zeroed)
    {
        if (n == 0)
            return;
        if (n > maxSize())
            throw std::bad_alloc();
        T *block = static_cast<T *>(zeroed ? std::calloc(n, sizeof(T)) : std::malloc(n * sizeof(T)));
        if (!block)
            throw std::bad_alloc();
        m_alloc = m_begin = block;
        m_capacity = n;
    }

    void copyFrom(const EndsVector &other)
    {
        allocate(other.m_size, false);
        if (other.m_size)
            std::memcpy(static_cast<void *>(m_begin), other.m_begin, other.m_size * sizeof(T));
        m_size = other.m_size;
    }

    static constexpr size_t maxSize() { return size_t(PTRDIFF_MAX) / sizeof(T); }

    T *m_alloc = nullptr;
    T *m_begin = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

} // namespace qor
