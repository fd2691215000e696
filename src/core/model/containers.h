#pragma once
// Container classes of the library.
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <unordered_map>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

// A growable list of object references. When it owns its objects it deletes them on removal.
template <class T>
class TObjList {
public:
    explicit TObjList(bool ownsObjects = false) : m_owns(ownsObjects) {}
    TObjList(const TObjList &) = delete;
    TObjList &operator=(const TObjList &) = delete;
    ~TObjList() { Clear(); }

    int Count() const { return int(m_items.size()); }
    // Nothing outside 0..Count-1.
    T *Get(int index) const { return index >= 0 && index < Count() ? m_items[size_t(index)] : nullptr; }
    T *operator[](int index) const { return Get(index); }
    int Add(T *item)
    {
        m_items.push_back(item);
        return Count() - 1;
    }
    void Insert(int index, T *item)
    {
        index = std::clamp(index, 0, Count());
        m_items.insert(m_items.begin() + index, item);
    }
    // Removes the slot; an owned object is freed.
    void Delete(int index)
    {
        if (index < 0 || index >= Count())
            return;
        T *item = m_items[size_t(index)];
        m_items.erase(m_items.begin() + index);
        if (m_owns)
            delete item;
    }
    // Takes the object out of the list without freeing it.
    T *Extract(int index)
    {
        if (index < 0 || index >= Count())
            return nullptr;
        T *item = m_items[size_t(index)];
        m_items.erase(m_items.begin() + index);
        return item;
    }
    int IndexOf(const T *item) const
    {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        return it == m_items.end() ? -1 : int(it - m_items.begin());
    }
    int Remove(const T *item)
    {
        int i = IndexOf(item);
        Delete(i);
        return i;
    }
    void Move(int from, int to)
    {
        if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
            return;
        T *item = m_items[size_t(from)];
        m_items.erase(m_items.begin() + from);
        m_items.insert(m_items.begin() + to, item);
    }
    void Clear()
    {
        std::vector<T *> items;
        items.swap(m_items);
        if (m_owns)
            for (T *item : items)
                delete item;
    }
    bool OwnsObjects() const { return m_owns; }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<T *> m_items;
    bool m_owns;
};

// A hash table keyed by upper-cased names; the value is whatever the owner maps a name to.
template <class T>
class TNameList {
public:
    explicit TNameList(int buckets = 100) { m_map.reserve(size_t(std::max(buckets, 1))); }

    static QString Key(const QString &name) { return name.toUpper(); }
    int Count() const { return int(m_map.size()); }
    bool Contains(const QString &name) const { return m_map.count(Key(name)) != 0; }
    // The value stored under the name, or a value-initialised T.
    T Find(const QString &name) const
    {
        auto it = m_map.find(Key(name));
        return it == m_map.end() ? T{} : it->second;
    }
    void Insert(const QString &name, const T &value) { m_map[Key(name)] = value; }
    bool Remove(const QString &name) { return m_map.erase(Key(name)) != 0; }
    void Clear() { m_map.clear(); }
    template <class F>
    void ForEach(F &&f) const
    {
        for (const auto &[key, value] : m_map)
            f(key, value);
    }

private:
    struct Hash {
        size_t operator()(const QString &s) const { return qHash(s); }
    };
    std::unordered_map<QString, T, Hash> m_map;
};

// A growable list of fixed-size records with sorted insertion and binary search.
template <class R, class Less = std::less<R>>
class TRecordList {
public:
    explicit TRecordList(Less less = Less()) : m_less(less) {}

    int Count() const { return int(m_items.size()); }
    const R &operator[](int index) const { return m_items[size_t(index)]; }
    R &operator[](int index) { return m_items[size_t(index)]; }
    int Add(const R &rec)
    {
        m_items.push_back(rec);
        return Count() - 1;
    }
    // Inserts behind its equals, so records of the same key keep their insertion order.
    int AddSorted(const R &rec)
    {
        auto it = std::upper_bound(m_items.begin(), m_items.end(), rec, m_less);
        int index = int(it - m_items.begin());
        m_items.insert(it, rec);
        return index;
    }
    // Index of the first record equal to key in a sorted list, or -1.
    int Find(const R &key) const
    {
        auto it = std::lower_bound(m_items.begin(), m_items.end(), key, m_less);
        if (it == m_items.end() || m_less(key, *it))
            return -1;
        return int(it - m_items.begin());
    }
    void Delete(int index)
    {
        if (index >= 0 && index < Count())
            m_items.erase(m_items.begin() + index);
    }
    void Clear() { m_items.clear(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<R> m_items;
    Less m_less;
};

// A list of strings: item lists of combo and radio cells, column captions.
class QOR_EXPORT TQorStrings {
public:
    TQorStrings() = default;
    explicit TQorStrings(const QStringList &items) : m_items(items) {}

    int Count() const { return int(m_items.size()); }
    // Empty outside 0..Count-1.
    QString Get(int index) const { return index >= 0 && index < Count() ? m_items[index] : QString(); }
    void Put(int index, const QString &s);
    int Add(const QString &s);
    void Insert(int index, const QString &s);
    void Delete(int index);
    void Clear() { m_items.clear(); }
    int IndexOf(const QString &s) const { return int(m_items.indexOf(s)); }
    // All lines joined by line breaks, each line ending with one.
    QString GetText() const;
    // Splits at CR LF, LF or CR; a trailing break does not add an empty line.
    void SetText(const QString &text);
    void Assign(const TQorStrings &other) { m_items = other.m_items; }
    const QStringList &Items() const { return m_items; }
    bool operator==(const TQorStrings &other) const = default;

private:
    QStringList m_items;
};

} // namespace qor
