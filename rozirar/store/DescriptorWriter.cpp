#include "DescriptorWriter.h"

#include <QFileDevice>

#include <cerrno>
#include <unistd.h>

CDescriptorWriter::CDescriptorWriter(const QFileDevice& file) : m_nDescriptor(file.handle())
{
    open(QIODevice::WriteOnly);
}

qint64 CDescriptorWriter::readData(char* /*data*/, qint64 /*maxSize*/)
{
    return -1;
}

qint64 CDescriptorWriter::writeData(const char* data, qint64 size)
{
    qint64 nWritten = 0;
    while (nWritten < size)
    {
        const ssize_t n = ::write(m_nDescriptor, data + nWritten, size_t(size - nWritten));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
        {
            setErrorString(qt_error_string(n < 0 ? errno : EIO));
            return -1;
        }
        nWritten += n;
    }
    return nWritten;
}
