#pragma once

// Checks of a current-values record against the values it must give by dictionary index.

#include <QMap>
#include <QVariant>
#include <QtTest>

namespace ValueTable
{
// Columns "index" and "expected": one row per value the record holds.
inline void addRows(const QMap<int, QVariant>& held)
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QVariant>("expected");
    for (auto it = held.cbegin(); it != held.cend(); ++it)
        QTest::addRow("%d", it.key()) << it.key() << it.value();
}

// The type counts too: a number must not come as text.
inline void compare(const QVariant& actual, const QVariant& expected)
{
    QCOMPARE(actual.userType(), expected.userType());
    QCOMPARE(actual, expected);
}

// Every index from -2 to 140 the record does not hold gives no value.
template <typename Values> void verifyOthersInvalid(const Values& values, const QMap<int, QVariant>& held)
{
    for (int i = -2; i <= 140; ++i)
        if (!held.contains(i))
            QVERIFY2(!values.getValue(i).isValid(), qPrintable(QString::number(i)));
}
} // namespace ValueTable
