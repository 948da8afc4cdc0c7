#pragma once

// The situations the single-instance check of both Qt programs meets at start, as one table.

#include <QDir>
#include <QSharedMemory>
#include <QTemporaryDir>
#include <QtTest>

#include <linux/capability.h>
#include <memory>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace SingleInstanceSituation
{
// Columns: the situation, and whether it is another instance; otherwise the folder of the key's
// files cannot be written, and the text names it.
inline void addRows()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("otherInstance");
    QTest::newRow("another instance") << "another instance" << true;
    QTest::newRow("another instance, its folder read-only since") << "another instance, read-only" << true;
    QTest::newRow("folder read-only") << "read-only" << false;
}

// Takes from this thread the right to write into a folder whose mode refuses it (root has it), and
// gives it back at its end.
class CNoWriteOverride
{
public:
    CNoWriteOverride()
    {
        if (::syscall(SYS_capget, &m_header, m_saved) != 0 || !(m_saved[0].effective & BIT))
            return;
        __user_cap_data_struct without[2] = {m_saved[0], m_saved[1]};
        without[0].effective &= ~BIT;
        m_bTaken = ::syscall(SYS_capset, &m_header, without) == 0;
    }
    ~CNoWriteOverride()
    {
        if (m_bTaken)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    CNoWriteOverride(const CNoWriteOverride&) = delete;
    CNoWriteOverride& operator=(const CNoWriteOverride&) = delete;

private:
    static constexpr quint32 BIT = 1u << CAP_DAC_OVERRIDE;
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] = {};
    bool m_bTaken = false;
};

// The situation while it lives: the temporary folder (TMPDIR) that holds the key's files, the
// segment of another instance, the folder's mode.
class CSituation
{
public:
    CSituation(const QString& situation, const QString& key) : m_oldTemp(qgetenv("TMPDIR"))
    {
        m_folder = QDir::cleanPath(m_dir.filePath("tmp"));
        m_bReady = m_dir.isValid() && QDir().mkdir(m_folder);
        qputenv("TMPDIR", QFile::encodeName(m_folder));
        if (situation.startsWith("another instance"))
        {
            m_pOther.reset(new QSharedMemory(key));
            m_bReady = m_bReady && m_pOther->create(1);
        }
        if (situation.endsWith("read-only"))
        {
            m_bReady = m_bReady && ::chmod(QFile::encodeName(m_folder).constData(), 0555) == 0;
            m_pNoOverride.reset(new CNoWriteOverride);
        }
    }
    ~CSituation()
    {
        m_pNoOverride.reset();
        ::chmod(QFile::encodeName(m_folder).constData(), 0755);
        m_pOther.reset();
        qputenv("TMPDIR", m_oldTemp);
    }
    CSituation(const CSituation&) = delete;
    CSituation& operator=(const CSituation&) = delete;

    bool isReady() const { return m_bReady; }
    QString folder() const { return m_folder; }

private:
    QByteArray m_oldTemp;
    QTemporaryDir m_dir;
    QString m_folder;
    std::unique_ptr<QSharedMemory> m_pOther;
    std::unique_ptr<CNoWriteOverride> m_pNoOverride;
    bool m_bReady = false;
};
} // namespace SingleInstanceSituation
