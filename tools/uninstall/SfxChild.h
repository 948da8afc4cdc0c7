#pragma once
// Containment of the installer library: its calls run in a child process that the stub
// watches, so that neither a crash of the library nor an interruption can keep the stub from
// removing its temporary folder.

#include <csignal>
#include <cstdint>
#include <functional>

namespace sfx
{

// Holds SIGINT, SIGTERM and SIGHUP back while it lives (those the process does not ignore), so
// that they cannot end the stub between the creation of its temporary folder and its removal.
// A signal held back ends the program (by its default action) when release() lets it through.
class CSfxInterruptGuard
{
public:
    CSfxInterruptGuard();
    CSfxInterruptGuard(const CSfxInterruptGuard&) = delete;
    CSfxInterruptGuard& operator=(const CSfxInterruptGuard&) = delete;
    ~CSfxInterruptGuard() { release(); }

    void release();
    const sigset_t& signals() const { return m_signals; }
    const sigset_t& previousMask() const { return m_previousMask; }

private:
    sigset_t m_signals;
    sigset_t m_previousMask;
    bool m_active = false;
};

// What the library's part reports back.
struct SSfxLibraryResult
{
    std::int32_t error = 0;
    std::int32_t exitCode = 0;
};

struct SSfxChildEnd
{
    enum EKind
    {
        FINISHED,    // the result is the child's
        CRASHED,     // any other end of the child: a signal, an exit without a result, a sanitizer
        INTERRUPTED, // one of the guard's signals came: the child was stopped
        NOT_STARTED, // no child could be made
    };
    EKind kind = CRASHED;
    SSfxLibraryResult result;
    std::uint32_t crashCode = 0; // the system's exception code of the crash
    int signal = 0;              // INTERRUPTED: the signal that came
};

// Runs work in a child process and waits for its end or for one of the guard's signals, which
// stops the child at once. FINISHED only when the child reported its result and exited with 0.
SSfxChildEnd SfxRunWatched(const CSfxInterruptGuard& guard, const std::function<SSfxLibraryResult()>& work);

// The exception code Windows reports for a program that ended like the child did.
std::uint32_t SfxCrashCode(int waitStatus);

} // namespace sfx
