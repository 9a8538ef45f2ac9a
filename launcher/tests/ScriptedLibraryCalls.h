#pragma once

// The archive library seam in tests: records each call, and at a chosen step
// either fails with a code or waits until the abort flag is set (then
// reports the cancel, as the library does); every other call goes to the
// real library. Installed for its lifetime.

#include "launcher/CCrxLibraryCalls.h"

#include <QMutex>
#include <QStringList>
#include <QThread>

namespace tovanel::test {

class ScriptedLibraryCalls : public CCrxLibraryCalls
{
public:
    ScriptedLibraryCalls() { Replace(this); }
    ~ScriptedLibraryCalls() override { Replace(nullptr); }

    QString m_strStep;             // "ImportHeader", ... "" = none
    CrxResult m_nFailure = CRX_OK; // the step's code; CRX_OK: wait for the abort
    QStringList m_calls;           // "ImportInitSettingDB(<model folder>)" ...
    CrxDetail m_detail;            // what the failing step tells

    CrxResult ImportHeader(const QString& archivePath, const QString& workFolder,
                           const CrxAbortFlag* abort, CrxFileInfo& header) override
    {
        Record(QStringLiteral("ImportHeader"));
        if (const auto scripted = Scripted(QStringLiteral("ImportHeader"), abort))
            return *scripted;
        return CCrxLibraryCalls::ImportHeader(archivePath, workFolder, abort, header);
    }
    CrxResult ImportInitSettingDB(const QString& archivePath, const QString& workFolder,
                                  const QString& resourceFolder,
                                  const QString& modelFolder) override
    {
        Record(QStringLiteral("ImportInitSettingDB(%1)").arg(modelFolder));
        if (const auto scripted = Scripted(QStringLiteral("ImportInitSettingDB"), nullptr))
            return *scripted;
        return CCrxLibraryCalls::ImportInitSettingDB(archivePath, workFolder, resourceFolder,
                                                     modelFolder);
    }
    CrxResult ImportContents(const QString& archivePath, const QString& workFolder,
                             const CrxAbortFlag* abort, const QString& resourceFolder,
                             const CrxFileInfo& header) override
    {
        Record(QStringLiteral("ImportContents"));
        if (const auto scripted = Scripted(QStringLiteral("ImportContents"), abort))
            return *scripted;
        return CCrxLibraryCalls::ImportContents(archivePath, workFolder, abort, resourceFolder,
                                                header);
    }
    CrxResult ExportFull(const QString& workFolder, const QString& archivePath,
                         const CrxAbortFlag* abort, const QString& extraFile,
                         const CrxFileInfo& header) override
    {
        Record(QStringLiteral("ExportFull(%1)").arg(header.machineType));
        if (const auto scripted = Scripted(QStringLiteral("ExportFull"), abort))
            return *scripted;
        return CCrxLibraryCalls::ExportFull(workFolder, archivePath, abort, extraFile, header);
    }

    CrxDetail LastDetail() override
    {
        if (!m_strStep.isEmpty() && m_nFailure != CRX_OK)
            return m_detail;
        return CCrxLibraryCalls::LastDetail();
    }

    QStringList Calls()
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }

private:
    void Record(const QString& call)
    {
        QMutexLocker lock(&m_mutex);
        m_calls << call;
    }

    std::optional<CrxResult> Scripted(const QString& step, const CrxAbortFlag* abort)
    {
        if (step != m_strStep)
            return std::nullopt;
        if (m_nFailure != CRX_OK)
            return m_nFailure;
        while (!CrxAborted(abort))
            QThread::msleep(2);
        return CRX_E_CANCELLED;
    }

    QMutex m_mutex;
};

} // namespace tovanel::test
