#include "StringSet.h"

#include <cmath>

StringSet::StringSet(int expectedEntries) : m_buckets(size_t((expectedEntries + 1) * 1.25)) {}

bool StringSet::insert(const String& key)
{
    std::vector<String>& bucket = m_buckets[key.hash() % m_buckets.size()];
    for (const String& entry : bucket)
    {
        if (entry == key)
            return false;
    }
    bucket.push_back(key);
    ++m_count;
    return true;
}

void StringSet::rebuildIfNeeded(double factor, double newSize)
{
    if (m_count > factor * double(m_buckets.size()))
        rebuild(int(std::ceil(m_count * newSize)));
}

void StringSet::rebuild(int buckets)
{
    std::vector<std::vector<String>> old(static_cast<size_t>(buckets));
    old.swap(m_buckets);
    for (std::vector<String>& bucket : old)
    {
        for (String& entry : bucket)
            m_buckets[entry.hash() % m_buckets.size()].push_back(std::move(entry));
    }
}
