// libFuzzer target: the CSV import's header recognition and row conversion, from the bytes of a
// file to rows in a SQLite database in a temporary folder.
//
// The store's presenter answers at once: the serial-number question with "no serial number" (so
// files without that column are imported too), messages by dropping them. An import that reports
// failure must leave the tables as they were (empty here).

#include "DBImportData.h"
#include "FuzzSupport.h"
#include "MinuteLogDB.h"
#include "SecLogDB.h"
#include "StoreMessages.h"
#include "VokDelimTextModel.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace
{
QSqlDatabase* g_pDb = nullptr;

int rowCount(const char* table)
{
    QSqlQuery query(*g_pDb);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table))) || !query.next())
        qFatal("cannot count %s", table);
    return query.value(0).toInt();
}

class CAnsweringPresenter : public CStoreMessages::IPresenter
{
public:
    bool canShow() const override { return true; }
    void showModal(bool, bool, const QString&, const QString&) override {}
    void showRepeatedFailure(const QString&, const QString&, const QString&) override {}
    qint64 askSerialNr() override { return 0; }
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzSilenceQtMessages();
    static QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    auto* pApp = new QCoreApplication(*argc, *argv);
    pApp->setApplicationName(QStringLiteral("fuzz_dbimport"));
    if (!CMinuteLogDB(QStringLiteral("UIThread")).createTable() ||
        !CSecLogDB(QStringLiteral("UIThread")).createTable())
        qFatal("cannot create the tables");
    g_pDb = new QSqlDatabase(QSqlDatabase::database(QStringLiteral("UIThread")));
    static CAnsweringPresenter presenter;
    CStoreMessages::instance().setPresenter(&presenter);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 16384)
        return 0;
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    CVokDelimTextModel model;
    model.load(&file, true, QLatin1Char(';'), QLatin1Char('"'), "ISO 8859-1");
    file.seek(0);

    CDBImportData import;
    const bool imported = import.importData(&file, nullptr);
    const int stored = rowCount("ValueLogs") + rowCount("SecLogs");
    if (!imported && stored != 0)
        __builtin_trap();
    if (imported && (stored == 0 || stored > model.rowCount()))
        __builtin_trap();
    QSqlQuery(*g_pDb).exec(QStringLiteral("DELETE FROM ValueLogs"));
    QSqlQuery(*g_pDb).exec(QStringLiteral("DELETE FROM SecLogs"));
    return 0;
}
