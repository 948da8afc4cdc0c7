#pragma once

#include "LogTabBase.h"
#include "ReadOnlyItemModel.h"

class CSecLogDBBase;
class QSqlQueryModel;

// The page of the second-log entries of one time span that were retrieved from the unit.
// The rows are copied as text into a read-only model.
class CSecLogTab : public CLogTabBase
{
    Q_OBJECT

public:
    CSecLogTab(CSecLogDBBase* pDB, int nTimeSpan, QWidget* parent = nullptr);

    // The second log of the unit type shown; nothing is reloaded.
    void setDB(CSecLogDBBase* pDB) { m_pDB = pDB; }
    int getTimeSpan() const { return m_nTimeSpan; }

    bool boolOption2(bool b) override { return !b; }
    bool boolOption3(bool b) override { return !b; }
    QString getTitle() const override;
    bool setupQueryModel(QSqlQueryModel* pModel, qint64 nSerialNr) override;

    const CReadOnlyItemModel& model() const { return m_model; }

public slots:
    void reload() override;

private:
    void copyModel(const QSqlQueryModel& source);

    CSecLogDBBase* m_pDB;
    int m_nTimeSpan;
    CReadOnlyItemModel m_model;
};
