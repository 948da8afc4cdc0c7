#pragma once
// Stand-in for a structured exception: a fault with a system code that ends the library's
// work. The stub's exception frame around the uninstall sequence catches it.

#include <cstdint>

namespace sfx
{

struct CSfxSystemException
{
    std::uint32_t code;
};

// The code a C++ exception carries on the system we stand in for.
constexpr std::uint32_t SFX_CPP_EXCEPTION_CODE = 0xE06D7363;

} // namespace sfx
