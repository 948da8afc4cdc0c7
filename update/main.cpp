#include "UpdaterStartup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return CUpdaterStartup::run(QApplication::arguments());
}
