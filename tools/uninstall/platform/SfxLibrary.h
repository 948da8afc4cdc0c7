#pragma once
// Stand-in for binding a library at run time: only by absolute path, so nothing from the
// search path or the current directory can take the unpacked library's place.

#include "SfxText.h"

namespace sfx
{

class CSfxLibrary
{
public:
    CSfxLibrary() = default;
    CSfxLibrary(const CSfxLibrary&) = delete;
    CSfxLibrary& operator=(const CSfxLibrary&) = delete;
    ~CSfxLibrary() { free(); }

    bool load(const WString& absolutePath);
    void* proc(const char* name) const;
    void free();

private:
    void* m_handle = nullptr;
};

} // namespace sfx
