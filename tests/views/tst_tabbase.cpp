#include "TabBase.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

namespace
{
class CPlainPage : public CTabBase
{
public:
    QString getTitle() const override { return QString(); }
};

// The number in "<property> : <n>px" of the first rule whose selector is exactly strSelector.
int propertyOf(const QString& strSheet, const QString& strSelector, const QString& strProperty)
{
    const QRegularExpression rule(QRegularExpression::escape(strSelector) +
                                  QStringLiteral("\\s*\\{([^}]*)\\}"));
    const QRegularExpressionMatch ruleMatch = rule.match(strSheet);
    if (!ruleMatch.hasMatch())
        return INT_MIN;
    const QRegularExpression prop(QRegularExpression::escape(strProperty) +
                                  QStringLiteral("\\s*:\\s*(?:bold\\s+)?(-?\\d+)px"));
    const QRegularExpressionMatch propMatch = prop.match(ruleMatch.captured(1));
    return propMatch.hasMatch() ? propMatch.captured(1).toInt() : INT_MIN;
}
} // namespace

class TestTabBase : public QObject
{
    Q_OBJECT

private slots:
    void scalesWithHeight_data();
    void scalesWithHeight();
    void widthDoesNotMatter();
    void qtAppliesTheSheet();
    void defaultsOfTheInterface();
};

void TestTabBase::scalesWithHeight_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("font");
    QTest::addColumn<int>("border");
    QTest::addColumn<int>("radius");
    QTest::addColumn<int>("spacing");
    QTest::newRow("30") << 30 << -6 << 0 << 0 << 1;
    QTest::newRow("200") << 200 << 0 << 0 << 1 << 4;
    QTest::newRow("400") << 400 << 8 << 1 << 2 << 8;
    QTest::newRow("480") << 480 << 11 << 1 << 2 << 9;
    QTest::newRow("600") << 600 << 15 << 1 << 3 << 11;
    QTest::newRow("800") << 800 << 22 << 2 << 3 << 15;
    QTest::newRow("1000") << 1000 << 30 << 2 << 4 << 19;
}

void TestTabBase::scalesWithHeight()
{
    QFETCH(int, height);
    QFETCH(int, font);
    QFETCH(int, border);
    QFETCH(int, radius);
    QFETCH(int, spacing);

    const QString sheet = CPlainPage().makeStyleSheet(QSize(300, height));
    QVERIFY2(!sheet.contains(QRegularExpression(QStringLiteral("%\\d"))), "a placeholder was left");

    QCOMPARE(propertyOf(sheet, "*", "font-size"), font);
    QCOMPARE(propertyOf(sheet, "QPushButton", "font"), font);
    for (const char* selector : {"QCheckBox::indicator:checked", "QCheckBox::indicator:unchecked",
                                 "QRadioButton::indicator:checked", "QRadioButton::indicator:unchecked"})
    {
        QCOMPARE(propertyOf(sheet, selector, "width"), font);
        QCOMPARE(propertyOf(sheet, selector, "height"), font);
    }
    QCOMPARE(propertyOf(sheet, "QCheckBox::indicator", "height"), font);
    QCOMPARE(propertyOf(sheet, "QRadioButton::indicator", "height"), font);

    for (const char* selector : {"QGroupBox", "QGroupBox::title", "QLineEdit", "QPushButton"})
    {
        QCOMPARE(propertyOf(sheet, selector, "border-width"), border);
        QCOMPARE(propertyOf(sheet, selector, "border-radius"), radius);
    }
    QCOMPARE(propertyOf(sheet, "QGroupBox", "margin"), spacing);
    QCOMPARE(propertyOf(sheet, "QGroupBox", "padding"), spacing);
}

void TestTabBase::widthDoesNotMatter()
{
    const CPlainPage page;
    const QString sheet = page.makeStyleSheet(QSize(500, 700));
    QCOMPARE(page.makeStyleSheet(QSize(1, 700)), sheet);
    QCOMPARE(page.makeStyleSheet(QSize(5000, 700)), sheet);
    QVERIFY(page.makeStyleSheet(QSize(500, 400)) != sheet);
}

void TestTabBase::qtAppliesTheSheet()
{
    // The template must be a style sheet Qt understands: its font size reaches a child.
    const CPlainPage page;
    QWidget widget;
    widget.setStyleSheet(page.makeStyleSheet(QSize(10, 800)));
    QLineEdit* pEdit = new QLineEdit(&widget);
    pEdit->ensurePolished();
    QCOMPARE(pEdit->font().pixelSize(), 22);
}

void TestTabBase::defaultsOfTheInterface()
{
    CPlainPage page;
    QVERIFY(!page.boolOption2(true));
    QVERIFY(!page.boolOption2(false));
    QVERIFY(!page.boolOption3(true));
    QVERIFY(!page.setupQueryModel(nullptr, 1));
}

QTEST_MAIN(TestTabBase)
#include "tst_tabbase.moc"
