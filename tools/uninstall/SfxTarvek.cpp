#include "SfxTarvek.h"

namespace sfx
{

namespace
{

template <typename F> bool Bind(const CSfxLibrary& library, const char* name, F& function)
{
    function = reinterpret_cast<F>(library.proc(name));
    return function != nullptr;
}

} // namespace

bool CSfxTarvek::bind()
{
    if (m_tried)
        return PerformUninstall != nullptr;
    m_tried = true;
    if (!m_library.load(m_folder + TARVEK_FILE_NAME))
        return false;
    const bool complete = Bind(m_library, "SetVar", SetVar) && Bind(m_library, "EvalVar", EvalVar) &&
                          Bind(m_library, "EvalVarBuf", EvalVarBuf) && Bind(m_library, "InitSFX", InitSFX) &&
                          Bind(m_library, "InitUninstall", InitUninstall) &&
                          Bind(m_library, "ShowProgressBox", ShowProgressBox) &&
                          Bind(m_library, "XRDlgGetDlgItem", XRDlgGetDlgItem) &&
                          Bind(m_library, "AddUninstLog", AddUninstLog) &&
                          Bind(m_library, "PerformUninstall", PerformUninstall);
    if (!complete)
        free(); // no pointer may outlive the library
    return complete;
}

void CSfxTarvek::free()
{
    m_library.free();
    SetVar = nullptr;
    EvalVar = nullptr;
    EvalVarBuf = nullptr;
    InitSFX = nullptr;
    InitUninstall = nullptr;
    ShowProgressBox = nullptr;
    XRDlgGetDlgItem = nullptr;
    PerformUninstall = nullptr;
    AddUninstLog = nullptr;
}

} // namespace sfx
