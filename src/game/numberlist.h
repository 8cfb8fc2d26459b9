// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A short list of small numbers (dice 1..5, categories 1..7) kept in place: the rules hand such
// lists out for every computer move and every turn, and a heap block each time was a good part
// of what a computer-only game cost.

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <ostream>
#include <vector>

namespace core {

template <std::size_t Capacity> class NumberList {
public:
    using value_type = int;
    using iterator = const int*;
    using const_iterator = const int*;

    NumberList() = default;
    NumberList(std::initializer_list<int> numbers) {
        for (int n : numbers)
            push_back(n);
    }

    // A number beyond the capacity is dropped; the callers never have more.
    void push_back(int n) {
        if (m_size < Capacity) m_items[m_size++] = n;
    }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    const int* data() const { return m_items.data(); }
    const int* begin() const { return m_items.data(); }
    const int* end() const { return m_items.data() + m_size; }
    int operator[](std::size_t i) const { return m_items[i]; }

    friend bool operator==(const NumberList& a, const NumberList& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const NumberList& a, const std::vector<int>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend std::ostream& operator<<(std::ostream& out, const NumberList& list) {
        out << '{';
        for (std::size_t i = 0; i < list.m_size; ++i)
            out << (i ? ", " : "") << list.m_items[i];
        return out << '}';
    }

private:
    std::array<int, Capacity> m_items{};
    std::size_t m_size = 0;
};

} // namespace core
