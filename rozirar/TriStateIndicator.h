#pragma once

#include <QLabel>

// A label that shows a text on a red, grey or green background.
class CTriStateIndicator : public QLabel
{
    Q_OBJECT

public:
    enum EState
    {
        STATE_RED = 0,
        STATE_GREY = 1,
        STATE_GREEN = 2
    };

    explicit CTriStateIndicator(QWidget* parent = nullptr);

public slots:
    // Any state other than red and grey shows green.
    void setState(CTriStateIndicator::EState state, QString strLabel);
};
