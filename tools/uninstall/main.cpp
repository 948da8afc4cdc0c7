#include "SfxMain.h"
#include "platform/SfxUi.h"

#include <dlfcn.h>

int main(int argc, char** argv)
{
    const sfx::CCommonControls controls(argc, argv);
    // The program's own module stands in for the instance handle the library is given.
    return sfx::SfxMain(dlopen(nullptr, RTLD_NOW));
}
