#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <functional>

// A benchmark keeps its database in its own temporary folder, draws off screen, and prints only
// warnings and errors of the code it measures, so its figures stay readable.
inline void prepareBenchEnvironment(const QTemporaryDir& folder)
{
    qputenv("XDG_DATA_HOME", folder.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& text)
        {
            if (type != QtDebugMsg && type != QtInfoMsg)
                std::fprintf(stderr, "%s\n", qPrintable(text));
        });
}

// The best time of three runs of fn in milliseconds; before prepares each run outside the timing.
template <class Fn>
double best(
    Fn fn, std::function<void()> before = [] {})
{
    double dBest = 1e300;
    for (int r = 0; r < 3; ++r)
    {
        before();
        QElapsedTimer timer;
        timer.start();
        fn();
        dBest = std::min(dBest, timer.nsecsElapsed() / 1e6);
    }
    return dBest;
}
