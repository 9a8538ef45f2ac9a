#pragma once

// A suite folder of a benchmark's own: the launcher INI the settings look
// for beside the program, so a benchmark never waits on the message that it
// is missing. Any message stops the run: a benchmark would measure a failure.
#include "platform/MessageBox.h"
#include "shared/config/CBasePath.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace benchsuite {

inline void UseSuiteFolder(const QString& folder, const QByteArray& extraProduct = {})
{
    QDir().mkpath(folder);
    QFile ini(folder + QStringLiteral("/Tovanel.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[PRODUCT]\nPRODUCTKEY=BENCH\n" + extraProduct);
    ini.close();
    CBasePath::SetModuleFolder(folder);
    platform::setMessageResponder([](const platform::MessageRequest& request) {
        std::fprintf(stderr, "message %s\n", qPrintable(request.key));
        std::abort();
        return 0;
    });
}

} // namespace benchsuite
