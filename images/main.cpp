#include "images/CPellarkApp.h"

#include "shared/program/CProgramStartup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    pellark::CPellarkApp theApp;
    CProgramStartup::Run(
        [&theApp] { return theApp.InitInstance(QCoreApplication::arguments().mid(1)); });
    return 0;
}
