#pragma once

#include <QSize>
#include <QString>

class QSqlQueryModel;

// Interface of every page in the main window's tab widget. Always the second base of a page
// class, beside its QWidget or QGraphicsScene base; a page held as QWidget* is reached with
// dynamic_cast<CTabBase*>.
class CTabBase
{
public:
    virtual ~CTabBase() = default;

    virtual bool boolOption2(bool) { return false; }
    virtual bool boolOption3(bool) { return false; }
    // Text of the page's tab.
    virtual QString getTitle() const = 0;
    // Rereads the page's content.
    virtual void reload() {}
    // Fills the model with the rows the page shows for the serial number.
    virtual bool setupQueryModel(QSqlQueryModel*, qint64 /*serialNr*/) { return false; }

    // The tab style sheet with font, frame and spacing scaled from the page's height, so the
    // text of a page grows and shrinks with the window. The width is not used.
    QString makeStyleSheet(QSize size) const;
};
