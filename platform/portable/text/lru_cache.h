// A map with a bound on its entries that forgets the least recently used one first: the text
// module's caches (font matches, realised fonts) use it so that a program asking for
// endless new fonts holds a fixed amount of memory.
#pragma once

#include <algorithm>
#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

namespace zg::text {

template <typename Value>
class LruCache {
public:
    explicit LruCache(std::size_t capacity) : m_capacity(std::max<std::size_t>(1, capacity)) {}

    // The entry for the key, now the most recently used; null when absent.
    Value* find(const std::string& key) {
        const auto found = m_index.find(key);
        if (found == m_index.end()) return nullptr;
        m_order.splice(m_order.begin(), m_order, found->second);
        return &found->second->second;
    }

    // Adds or replaces the entry and forgets the oldest ones beyond the capacity.
    Value& insert(const std::string& key, Value value) {
        erase(key);
        m_order.emplace_front(key, std::move(value));
        m_index.emplace(key, m_order.begin());
        while (m_order.size() > m_capacity) pop_oldest();
        return m_order.front().second;
    }

    // Forgets the oldest entries while `too_much` says so, keeping the newest one.
    template <typename Predicate>
    void shrink_while(Predicate too_much) {
        while (m_order.size() > 1 && too_much()) pop_oldest();
    }

    template <typename Visit>
    void for_each(Visit visit) const {
        for (const auto& entry : m_order) visit(entry.second);
    }

    std::size_t size() const { return m_order.size(); }
    std::size_t capacity() const { return m_capacity; }
    void clear() {
        m_index.clear();
        m_order.clear();
    }

private:
    using Entry = std::pair<std::string, Value>;

    void erase(const std::string& key) {
        const auto found = m_index.find(key);
        if (found == m_index.end()) return;
        m_order.erase(found->second);
        m_index.erase(found);
    }
    void pop_oldest() {
        m_index.erase(m_order.back().first);
        m_order.pop_back();
    }

    std::size_t m_capacity;
    std::list<Entry> m_order;  // most recent first
    std::unordered_map<std::string, typename std::list<Entry>::iterator> m_index;
};

}  // namespace zg::text
