#include "SfxLibrary.h"

#include <dlfcn.h>

namespace sfx
{

bool CSfxLibrary::load(const WString& absolutePath)
{
    free();
    const auto host = ToUtf8(absolutePath);
    if (!host || host->empty() || host->front() != '/')
        return false;
    m_handle = dlopen(host->c_str(), RTLD_NOW | RTLD_LOCAL);
    return m_handle != nullptr;
}

void* CSfxLibrary::proc(const char* name) const
{
    return m_handle ? dlsym(m_handle, name) : nullptr;
}

void CSfxLibrary::free()
{
    if (m_handle)
        dlclose(m_handle);
    m_handle = nullptr;
}

} // namespace sfx
