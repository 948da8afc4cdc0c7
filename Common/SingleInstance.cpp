#include "SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSharedMemory>

ESingleInstance acquireSingleInstance(QSharedMemory& segment)
{
    {
        // Attaching and detaching again destroys a segment nobody else is attached to.
        QSharedMemory stale(segment.key());
        if (stale.attach())
            stale.detach();
    }
    if (segment.create(1, QSharedMemory::ReadWrite))
        return ESingleInstance::HELD;
    return segment.error() == QSharedMemory::AlreadyExists ? ESingleInstance::OTHER_INSTANCE
                                                           : ESingleInstance::FOLDER_REFUSED;
}

QString singleInstanceFolderText(const QSharedMemory& segment)
{
    // The native key of the segment is the path of its key file.
    const QString strFolder = QDir::toNativeSeparators(QFileInfo(segment.nativeKey()).path());
    return QCoreApplication::translate("SingleInstance",
                                       "The folder '%1' for the single-instance check cannot be written.")
        .arg(strFolder);
}
