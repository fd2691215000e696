#pragma once
// A hash map with open addressing and linear probing, for the formula store's hot lookups: one
// probe usually lands on the entry itself, where a node-based map takes a pointer chase more.
// Key must have an Empty value that is never stored. Erasing moves later entries back, so
// references into the map hold only until the next insertion or erasure.
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

namespace qor {

template <class Key, class Value, Key Empty>
class FlatMap {
public:
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    Value *find(Key key)
    {
        if (m_size == 0)
            return nullptr;
        for (size_t i = Home(key);; i = (i + 1) & m_mask) {
            if (m_keys[i] == key)
                return &m_values[i];
            if (m_keys[i] == Empty)
                return nullptr;
        }
    }
    const Value *find(Key key) const { return const_cast<FlatMap *>(this)->find(key); }

    Value &operator[](Key key)
    {
        if ((m_size + 1) * 4 > m_keys.size() * 3)
            Grow();
        size_t i = Home(key);
        for (; m_keys[i] != Empty; i = (i + 1) & m_mask)
            if (m_keys[i] == key)
                return m_values[i];
        m_keys[i] = key;
        // A slot emptied by Reset keeps its value's storage for the next key that lands there.
        if constexpr (requires(Value &v) { v.clear(); })
            m_values[i].clear();
        else
            m_values[i] = Value();
        ++m_size;
        return m_values[i];
    }

    bool erase(Key key)
    {
        if (m_size == 0)
            return false;
        size_t i = Home(key);
        for (; m_keys[i] != key; i = (i + 1) & m_mask)
            if (m_keys[i] == Empty)
                return false;
        // Backward shift: move up every following entry that would not be found past the hole.
        for (size_t j = (i + 1) & m_mask; m_keys[j] != Empty; j = (j + 1) & m_mask) {
            const size_t home = Home(m_keys[j]);
            if (((j - home) & m_mask) >= ((j - i) & m_mask)) {
                m_keys[i] = m_keys[j];
                m_values[i] = std::move(m_values[j]);
                i = j;
            }
        }
        m_keys[i] = Empty;
        m_values[i] = Value();
        --m_size;
        return true;
    }

    void clear()
    {
        m_keys.clear();
        m_values.clear();
        m_mask = 0;
        m_size = 0;
    }

    // Empties the map but keeps its table, and the storage of values that have a clear(), for a
    // refill of about the same size.
    void Reset()
    {
        for (size_t i = 0; i < m_keys.size(); ++i) {
            if (m_keys[i] == Empty)
                continue;
            m_keys[i] = Empty;
            if constexpr (requires(Value &v) { v.clear(); })
                m_values[i].clear();
            else
                m_values[i] = Value();
        }
        m_size = 0;
    }

    template <class F>
    void forEach(F f) const
    {
        for (size_t i = 0; i < m_keys.size(); ++i)
            if (m_keys[i] != Empty)
                f(m_keys[i], m_values[i]);
    }

private:
    // Neighbours have neighbouring bits: pointers into a pool of 64-byte objects once the
    // offset is dropped, and positions (row in the high half) once the halves are swapped, so
    // that consecutive rows of one column differ in the lowest bits.
    static uint64_t Bits(Key key)
    {
        if constexpr (std::is_pointer_v<Key>) {
            return uint64_t(reinterpret_cast<uintptr_t>(key)) >> 6;
        } else {
            const uint64_t b = uint64_t(key);
            return (b << 32) | (b >> 32);
        }
    }
    // Eight neighbours share one line of the key table (and sit side by side in the value
    // table): walking a column of formulas or a run of cells reads memory in order instead of
    // at a random place per key. The groups themselves are scattered.
    size_t Home(Key key) const
    {
        const uint64_t bits = Bits(key);
        uint64_t h = bits >> 3;
        h ^= h >> 33;
        h *= 0xff51afd7ed558ccdULL;
        h ^= h >> 33;
        h *= 0xc4ceb9fe1a85ec53ULL;
        h ^= h >> 33;
        return size_t((h << 3) | (bits & 7)) & m_mask;
    }
    void Grow()
    {
        std::vector<Key> keys(m_keys.empty() ? 16 : m_keys.size() * 2, Empty);
        std::vector<Value> values(keys.size());
        keys.swap(m_keys);
        values.swap(m_values);
        m_mask = m_keys.size() - 1;
        m_size = 0;
        for (size_t i = 0; i < keys.size(); ++i)
            if (keys[i] != Empty)
                (*this)[keys[i]] = std::move(values[i]);
    }

    std::vector<Key> m_keys;
    std::vector<Value> m_values;
    size_t m_mask = 0;
    size_t m_size = 0;
};

} // namespace qor
