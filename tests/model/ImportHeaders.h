#pragma once

#include "DataDict.h"

#include <QStringList>
#include <QTranslator>

// The CSV import maps a header to the lowest dictionary index whose abbreviation, translated
// with one language's translator, equals it. Lists every stored entry whose header would land
// on an entry of another column, or whose header is empty.
inline QStringList ambiguousImportHeaders(const QTranslator& translator)
{
    const CDataDict* dict = CDataDict::instance();
    QStringList headers;
    for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
    {
        const QByteArray raw = dict->getText(i, CDataDict::COL_ABBREVIATION_RAW).toUtf8();
        const QString translated = translator.translate("CDataDict", raw.constData());
        headers << (translated.isEmpty() ? QString::fromUtf8(raw) : translated);
    }
    QStringList faults;
    for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
    {
        const QString column = dict->getText(i, CDataDict::COL_COLUMN_NAME);
        if (column.isEmpty())
            continue;
        const int first = headers.indexOf(headers.at(i));
        if (headers.at(i).isEmpty() || dict->getText(first, CDataDict::COL_COLUMN_NAME) != column)
            faults << QString("%1 '%2' -> %3").arg(i).arg(headers.at(i)).arg(first);
    }
    return faults;
}
