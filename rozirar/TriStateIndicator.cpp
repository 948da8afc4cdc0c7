#include "TriStateIndicator.h"

CTriStateIndicator::CTriStateIndicator(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    setState(STATE_GREY, QString());
    setMinimumWidth(100);
}

void CTriStateIndicator::setState(CTriStateIndicator::EState state, QString strLabel)
{
    const char* colour = state == STATE_RED    ? "rgb( 224, 160, 160 )"
                         : state == STATE_GREY ? "rgb( 160, 160, 160 )"
                                               : "rgb( 160, 224, 160 )";
    setStyleSheet(QString("CTriStateIndicator { background-color: %1; text-align: center; margin-left: 6px; "
                          "margin-top: 2px; margin-bottom: 2px; border-width: 1px; border-radius: 3px; "
                          "border-style: solid; border-color: rgb(0, 0, 64); }")
                      .arg(colour));
    setText(strLabel);
}
