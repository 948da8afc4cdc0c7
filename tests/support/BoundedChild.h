#pragma once

// Runs a piece of a test that must not wait for good (the open or read of a FIFO would) in a
// child process that an alarm ends: a wait then fails the test instead of hanging it.

#include <QByteArray>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

struct SBoundedChild
{
    bool exited = false; // false: the alarm (or another signal) ended it
    int code = -1;
    QByteArray output; // what body put in its output
};

// body runs in the child and returns its exit code; it may fill `output` for the parent.
inline SBoundedChild RunInBoundedChild(const std::function<int(QByteArray& output)>& body,
                                       unsigned seconds = 10)
{
    SBoundedChild result;
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return result;
    const pid_t child = fork();
    if (child == 0)
    {
        close(pipeFds[0]);
        alarm(seconds);
        QByteArray output;
        const int code = body(output);
        _exit(write(pipeFds[1], output.constData(), size_t(output.size())) == ssize_t(output.size()) ? code
                                                                                                     : 99);
    }
    close(pipeFds[1]);
    char buffer[4096];
    for (ssize_t n; child > 0 && (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        result.output.append(buffer, int(n));
    close(pipeFds[0]);
    int status = 0;
    if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
    {
        result.exited = true;
        result.code = WEXITSTATUS(status);
    }
    return result;
}
