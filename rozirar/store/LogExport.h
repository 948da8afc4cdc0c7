#ifndef LOGEXPORT_H
#define LOGEXPORT_H

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;
class QSqlDriver;
class QSqlQuery;
class QSqlQueryModel;

// Writes the rows of a log view as the export file (";", '"', ISO 8859-1, a header row): the
// view's headers, then its rows as the view shows them. The rows are fetched and written one at
// a time, so a year of minute rows takes no more memory than a few.
class CLogExport
{
public:
    // The view as a log tab sets it up; its statement and headers are taken, its rows are not.
    explicit CLogExport(const QSqlQueryModel& view);

    // Rows the view selects; -1 when they cannot be counted.
    int rowCount() const;
    // Writes the file to the open device. progress(rows written so far) is called now and then
    // and returns false to stop. False when stopped, when the view's statement fails or when the
    // device refuses the text.
    bool write(QIODevice* pDevice, const std::function<bool(int)>& progress) const;

private:
    QSqlQuery query(const QString& strStatement) const;

    const QSqlDriver* m_pDriver;
    QString m_strStatement;
    QStringList m_lstHeader;
};

#endif // LOGEXPORT_H
