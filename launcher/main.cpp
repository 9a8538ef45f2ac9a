#include "launcher/CTovanelApp.h"
#include "shared/program/CProgramStartup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    tovanel::CTovanelApp theApp;
    return CProgramStartup::Run([&theApp] { return theApp.InitInstance(); });
}
