#include "SfxChild.h"

#include <HostIo.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace sfx
{

namespace
{

constexpr std::uint32_t EXCEPTION_ACCESS_VIOLATION = 0xC0000005;
constexpr std::uint32_t EXCEPTION_ILLEGAL_INSTRUCTION = 0xC000001D;
constexpr std::uint32_t EXCEPTION_INT_DIVIDE_BY_ZERO = 0xC0000094;
// What a program that aborts (fail-fast) ends with there; also taken for any other abnormal end.
constexpr std::uint32_t STATUS_STACK_BUFFER_OVERRUN = 0xC0000409;

[[noreturn]] void RunChild(const CSfxInterruptGuard& guard, pid_t stub, int resultFd,
                           const std::function<SSfxLibraryResult()>& work)
{
    // The library must not go on uninstalling once the stub is gone (killed, so that it could
    // neither stop the child nor clean up): the child ends with it, also when the stub went
    // before the child got here.
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != stub)
        _exit(1);
    sigprocmask(SIG_SETMASK, &guard.previousMask(), nullptr);
    const SSfxLibraryResult result = work();
    const bool reported = win::WriteAll(resultFd, &result, sizeof result);
    close(resultFd);
    // exit, not _exit: buffered output is flushed and a sanitizer's exit checks still run
    std::exit(reported ? 0 : 1);
}

int WaitFor(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    return status;
}

} // namespace

CSfxInterruptGuard::CSfxInterruptGuard()
{
    sigemptyset(&m_signals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
    {
        struct sigaction action;
        if (sigaction(signal, nullptr, &action) == 0 && action.sa_handler != SIG_IGN)
            sigaddset(&m_signals, signal);
    }
    m_active = sigprocmask(SIG_BLOCK, &m_signals, &m_previousMask) == 0;
}

void CSfxInterruptGuard::release()
{
    if (m_active)
        sigprocmask(SIG_SETMASK, &m_previousMask, nullptr);
    m_active = false;
}

std::uint32_t SfxCrashCode(int waitStatus)
{
    if (!WIFSIGNALED(waitStatus))
        return STATUS_STACK_BUFFER_OVERRUN;
    switch (WTERMSIG(waitStatus))
    {
    case SIGSEGV:
    case SIGBUS:
        return EXCEPTION_ACCESS_VIOLATION;
    case SIGILL:
        return EXCEPTION_ILLEGAL_INSTRUCTION;
    case SIGFPE:
        return EXCEPTION_INT_DIVIDE_BY_ZERO;
    default:
        return STATUS_STACK_BUFFER_OVERRUN;
    }
}

SSfxChildEnd SfxRunWatched(const CSfxInterruptGuard& guard, const std::function<SSfxLibraryResult()>& work)
{
    SSfxChildEnd end;
    end.kind = SSfxChildEnd::NOT_STARTED;
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return end;
    const int signalFd = signalfd(-1, &guard.signals(), SFD_CLOEXEC);
    const pid_t stub = getpid();
    const pid_t child = signalFd >= 0 ? fork() : -1;
    if (child == 0)
    {
        close(pipeFds[0]);
        close(signalFd);
        RunChild(guard, stub, pipeFds[1], work);
    }
    close(pipeFds[1]);
    if (child < 0)
    {
        close(pipeFds[0]);
        if (signalFd >= 0)
            close(signalFd);
        return end;
    }

    end.kind = SSfxChildEnd::CRASHED;
    // The result arrives through the pipe, and its end of file tells that the child is gone.
    char received[sizeof(SSfxLibraryResult)];
    size_t got = 0;
    for (;;)
    {
        pollfd fds[2] = {{pipeFds[0], POLLIN, 0}, {signalFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0)
        {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[1].revents & POLLIN)
        {
            signalfd_siginfo info;
            if (read(signalFd, &info, sizeof info) == ssize_t(sizeof info))
            {
                kill(child, SIGKILL);
                WaitFor(child);
                close(pipeFds[0]);
                close(signalFd);
                end.kind = SSfxChildEnd::INTERRUPTED;
                end.signal = int(info.ssi_signo);
                return end;
            }
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR))
        {
            char buffer[64];
            const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            const size_t take = std::min(size_t(n), sizeof received - got);
            std::memcpy(received + got, buffer, take);
            got += take;
        }
    }
    close(pipeFds[0]);
    close(signalFd);
    const int status = WaitFor(child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == sizeof received)
    {
        end.kind = SSfxChildEnd::FINISHED;
        std::memcpy(&end.result, received, sizeof received);
        return end;
    }
    end.crashCode = SfxCrashCode(status);
    return end;
}

} // namespace sfx
