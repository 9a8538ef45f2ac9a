// A stand-in settings program for the tests of program start: it records the
// arguments it was given and exits. Driven by the environment it inherits:
//   KORVANE_RECORD_FILE  where to write {"args": [...], "brought": bool}
//   KORVANE_RECORD_BRING a program folder (with Tovanel.ini): first ask the
//                        launcher named by "MAINWH" to come to the front
//   KORVANE_RECORD_HOLD  stay until this file exists (at most 30 s)
#include "shared/config/CBasePath.h"
#include "shared/program/CMainWndCtrl.h"

#include "platform/AtomicFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QJsonObject record;
    record.insert(QStringLiteral("args"),
                  QJsonArray::fromStringList(QCoreApplication::arguments().mid(1)));
    const QString bringFolder = qEnvironmentVariable("KORVANE_RECORD_BRING");
    if (!bringFolder.isEmpty()) {
        CBasePath::SetModuleFolder(bringFolder);
        record.insert(QStringLiteral("brought"), CMainWndCtrl::BringMainWndToFront());
    }
    const QString recordFile = qEnvironmentVariable("KORVANE_RECORD_FILE");
    if (!recordFile.isEmpty() &&
        !platform::writeFileAtomically(recordFile, QJsonDocument(record).toJson()))
        return 3;
    const QString hold = qEnvironmentVariable("KORVANE_RECORD_HOLD");
    QElapsedTimer timer;
    timer.start();
    while (!hold.isEmpty() && !QFileInfo::exists(hold) && timer.elapsed() < 30000)
        QThread::msleep(20);
    return 0;
}
