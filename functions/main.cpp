#include "functions/CKesmondApp.h"

#include "shared/program/CProgramStartup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kesmond::CKesmondApp theApp;
    return CProgramStartup::Run(
        [&theApp] { return theApp.InitInstance(QCoreApplication::arguments().mid(1)); });
}
