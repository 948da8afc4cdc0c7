#pragma once
// The stub's binding of the installer core library, made on its first use.

#include "platform/SfxLibrary.h"
#include "tarvek/tarvek.h"

namespace sfx
{

// File name of the library inside the package.
inline const char16_t* const TARVEK_FILE_NAME = u"tarvek.so";

class CSfxTarvek
{
public:
    // Binds from the folder (absolute, ending in '/') on the first call of bind().
    void setFolder(const WString& folder) { m_folder = folder; }
    // True once the library and all nine functions are bound.
    bool bind();
    void free();

    decltype(&::SetVar) SetVar = nullptr;
    decltype(&::EvalVar) EvalVar = nullptr;
    decltype(&::EvalVarBuf) EvalVarBuf = nullptr;
    decltype(&::InitSFX) InitSFX = nullptr;
    decltype(&::InitUninstall) InitUninstall = nullptr;
    decltype(&::ShowProgressBox) ShowProgressBox = nullptr;
    decltype(&::XRDlgGetDlgItem) XRDlgGetDlgItem = nullptr;
    decltype(&::PerformUninstall) PerformUninstall = nullptr;
    decltype(&::AddUninstLog) AddUninstLog = nullptr;

private:
    WString m_folder;
    CSfxLibrary m_library;
    bool m_tried = false;
};

} // namespace sfx
