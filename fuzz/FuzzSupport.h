#pragma once

// Shared by the fuzz targets: Qt messages silenced (warnings are noise at fuzzing speed, debug
// output is compiled out), and fontconfig's process-long cache not taken for a leak.

#include <QString>
#include <cstdio>
#include <cstdlib>

inline void fuzzSilenceQtMessages()
{
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& text)
        {
            if (type != QtFatalMsg)
                return;
            std::fprintf(stderr, "qFatal: %s\n", text.toLocal8Bit().constData());
            std::abort();
        });
}

// Include in one file per target only.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
