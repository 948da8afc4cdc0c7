#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <QtGlobal>
#include <cstdio>

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
