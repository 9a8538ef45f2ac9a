#include "bases/CDunmarelApp.h"

#include "shared/config/CUserException.h"
#include "shared/program/CProgramStartup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    dunmarel::CDunmarelApp theApp;
    return CProgramStartup::Run([&theApp] {
        try {
            return theApp.InitInstance(QCoreApplication::arguments().mid(1));
        } catch (const CUserException&) {
            return 0; // no launcher INI: its message was shown
        }
    });
}
