// Containers of the core library. Vector owns its elements; StringList is the result list of the
// file-specification expansion.
#pragma once

#include "Fatal.h"
#include "String.h"

#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>
#include <utility>
#include <vector>

// The element type's name as the type information gives it, for the bounds message.
template <typename T> const char* VectorTypeName()
{
    static const char* name = []
    {
        int status = 0;
        char* demangled = abi::__cxa_demangle(typeid(T).name(), nullptr, nullptr, &status);
        return status == 0 && demangled ? demangled : typeid(T).name();
    }();
    return name;
}

template <typename T> class Vector
{
public:
    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }

    void append(const T& item) { m_items.push_back(item); }
    void append(T&& item) { m_items.push_back(std::move(item)); }
    void appendAll(const Vector& other)
    {
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    }
    void clear() { m_items.clear(); }

    // Bounds-tested: an index outside the vector ends the program.
    T& operator[](int index)
    {
        checkIndex(index);
        return m_items[size_t(index)];
    }
    const T& operator[](int index) const
    {
        checkIndex(index);
        return m_items[size_t(index)];
    }
    // Tolerant: null outside the vector.
    T* at(int index) { return index >= 0 && index < count() ? &m_items[size_t(index)] : nullptr; }
    T* first() { return at(0); }
    T* last() { return at(count() - 1); }

    typename std::vector<T>::iterator begin() { return m_items.begin(); }
    typename std::vector<T>::iterator end() { return m_items.end(); }
    typename std::vector<T>::const_iterator begin() const { return m_items.begin(); }
    typename std::vector<T>::const_iterator end() const { return m_items.end(); }

private:
    void checkIndex(int index) const
    {
        if (index < 0 || index >= count())
            FatalErrorf("Vector<%s>[%d]\r\nmax_index = %d", VectorTypeName<T>(), index, count() - 1);
    }

    std::vector<T> m_items;
};

using StringList = Vector<String>;
