// libFuzzer target: the header and archive search on any bytes behind any image.

#include "../SfxOverlay.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const sfx::CMemorySource file(std::string(reinterpret_cast<const char*>(data), size));
    if (const auto header = sfx::ReadOverlayHeader(file))
        sfx::FindArchive(file, header->overlayStart + sfx::SFX_HEADER_SIZE + header->searchOffset);
    sfx::FindArchive(file, 0);
    return 0;
}
