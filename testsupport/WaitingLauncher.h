#pragma once

// The launcher as a settings program sees it while it runs: the launcher's
// single-instance socket, its token in "MAINWH", and whether the program
// asked it back to the front. Header-only: test programs that use it link
// the shared library.

#include "shared/program/CMainWndCtrl.h"
#include "testsupport/SuiteProgram.h"

#include "platform/SingleInstance.h"

namespace korvane::test {

class WaitingLauncher
{
public:
    // Uses the program's runtime folder, so the program finds the socket.
    explicit WaitingLauncher(const SuiteProgram& program) : m_instance(QStringLiteral("Tovanel"))
    {
        qputenv("XDG_RUNTIME_DIR", program.runtimeFolder().toUtf8());
        QObject::connect(&m_instance, &platform::SingleInstance::frontRequested,
                         [this] { m_broughtBack = true; });
    }

    // Takes the socket and writes its token; false when either fails.
    bool wait()
    {
        return m_instance.acquire() && CMainWndCtrl::SetMainWndHandle(m_instance.token());
    }
    bool broughtBack() const { return m_broughtBack; }

private:
    platform::SingleInstance m_instance;
    bool m_broughtBack = false;
};

} // namespace korvane::test
