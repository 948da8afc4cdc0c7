#include "TabBase.h"

namespace
{
// 85 lines of 61 characters. Placeholders: %1 font size (also indicator image size),
// %2 indicator height, %3 border width, %4 corner radius, %5 group spacing.
const char STYLE_SHEET_TEMPLATE[] = "* {                                                          "
                                    "    background-color: rgba( 0,0,0,0%);                       "
                                    "    color           : rgb(16, 16, 16);                       "
                                    "    font-size       : %1px;                                  "
                                    "}                                                            "
                                    "QGroupBox {                                                  "
                                    "    color           : rgb(0, 0, 64);                         "
                                    "    margin          : %5px;                                  "
                                    "    padding         : %5px;                                  "
                                    "    border-width    : %3px;                                  "
                                    "    border-radius   : %4px;                                  "
                                    "    border-style    : solid;                                 "
                                    "    border-color    : rgb(0, 0, 64);                         "
                                    "}                                                            "
                                    "QGroupBox::title {                                           "
                                    "    color           : rgb(0, 0, 64);                         "
                                    "    background-color: rgb( 74, 183, 238);                    "
                                    "    subcontrol-origin: margin;                               "
                                    "    subcontrol-position: top center;                         "
                                    "    border-width    : %3px;                                  "
                                    "    border-radius   : %4px;                                  "
                                    "    border-style    : solid;                                 "
                                    "    border-color    : rgb(0, 0, 64);                         "
                                    "}                                                            "
                                    "QLineEdit {                                                  "
                                    "    background-color: rgba( 128, 128, 128, 20%);             "
                                    "    color           : rgb(16, 16, 16);                       "
                                    "    padding-top     : 0px;                                   "
                                    "    padding-bottom  : 0px;                                   "
                                    "    padding-left    : 5px;                                   "
                                    "    padding-right   : 5px;                                   "
                                    "    margin-left     : 5px;                                   "
                                    "    margin-right    : 5px;                                   "
                                    "    border-width    : %3px;                                  "
                                    "    border-radius   : %4px;                                  "
                                    "    border-style    : solid;                                 "
                                    "    border-color    : black;                                 "
                                    "}                                                            "
                                    "QCheckBox::indicator {                                       "
                                    "    height          : %2px;                                  "
                                    "    margin-left     : 6px;                                   "
                                    "    margin-right    : 6px;                                   "
                                    "}                                                            "
                                    "QCheckBox::indicator:checked {                               "
                                    "    image           : url(:/Pixmaps/Checked.png);            "
                                    "    width           : %1px;                                  "
                                    "    height          : %1px;                                  "
                                    "}                                                            "
                                    "QCheckBox::indicator:unchecked {                             "
                                    "    image           : url(:/Pixmaps/NotChecked.png);         "
                                    "    width           : %1px;                                  "
                                    "    height          : %1px;                                  "
                                    "}                                                            "
                                    "QRadioButton::indicator {                                    "
                                    "    height          : %2px;                                  "
                                    "    margin-left     : 6px;                                   "
                                    "    margin-right    : 6px;                                   "
                                    "}                                                            "
                                    "QRadioButton::indicator:checked {                            "
                                    "    image           : url(:/Pixmaps/Checked.png);            "
                                    "    width           : %1px;                                  "
                                    "    height          : %1px;                                  "
                                    "}                                                            "
                                    "QRadioButton::indicator:unchecked {                          "
                                    "    image           : url(:/Pixmaps/NotChecked.png);         "
                                    "    width           : %1px;                                  "
                                    "    height          : %1px;                                  "
                                    "}                                                            "
                                    "QPushButton {                                                "
                                    "    background-color: rgba( 0,0,0,0%);                       "
                                    "    border-style    : outset;                                "
                                    "    border-width    : %3px;                                  "
                                    "    border-radius   : %4px;                                  "
                                    "    border-color    : rgb(0, 0, 64);                         "
                                    "    font            : bold %1px;                             "
                                    "    min-width       : 10em;                                  "
                                    "    padding         : 6px;                                   "
                                    "}                                                            "
                                    "QPushButton:disabled {                                       "
                                    "    color           : rgba( 16, 16, 16, 30%);                "
                                    "}                                                            "
                                    "QPushButton::pressed {                                       "
                                    "    background-color: rgba( 128, 128, 128, 20%);             "
                                    "    border-style    : inset;                                 "
                                    "}                                                            ";

static_assert(sizeof(STYLE_SHEET_TEMPLATE) == 85 * 61 + 1, "every line of the template is padded to 61");
} // namespace

QString CTabBase::makeStyleSheet(QSize size) const
{
    const int h = size.height();
    // Rounded quotients in integer arithmetic: h / 27.2 - 7, h / 476, h / 238, 18 h / 952.
    const int nFontSize = (35 * h + 476) / 952 - 7;
    const int nBorderWidth = (h + 238) / 476;
    const int nRadius = (h + 119) / 238;
    const int nSpacing = (18 * h + 476) / 952;
    return QString::fromLatin1(STYLE_SHEET_TEMPLATE)
        .arg(nFontSize)
        .arg(nFontSize)
        .arg(nBorderWidth)
        .arg(nRadius)
        .arg(nSpacing);
}
