// Hash set of strings (the duplicate test of the expansion): buckets chosen by String::hash.
#pragma once

#include "String.h"

#include <vector>

class StringSet
{
public:
    // trunc((expectedEntries + 1) * 1.25) buckets: 81 for 64.
    explicit StringSet(int expectedEntries);

    // False when the key is already there.
    bool insert(const String& key);
    // After an insertion: when the entries exceed factor x buckets, rebuild with
    // ceil(entries x newSize) buckets (kolvest: factor 4, new size 2.5).
    void rebuildIfNeeded(double factor, double newSize);

    int count() const { return m_count; }
    int bucketCount() const { return int(m_buckets.size()); }

private:
    void rebuild(int buckets);

    std::vector<std::vector<String>> m_buckets;
    int m_count = 0;
};
