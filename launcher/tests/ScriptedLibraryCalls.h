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
    CrxResult AnotherImportInitialize(const QString& workDb, const QString& importDb) override
    {
        Record(QStringLiteral("AnotherImportInitialize"));
        if (const auto scripted = Scripted(QStringLiteral("AnotherImportInitialize"), nullptr))
            return *scripted;
        return CCrxLibraryCalls::AnotherImportInitialize(workDb, importDb);
    }
    CrxResult ImportChosenTables(const QString& archivePath, const QString& importFolder,
                                 const CrxAbortFlag* abort, const QString& resourceFolder,
                                 const CrxFileInfo& header, const QStringList& tables) override
    {
        Record(QStringLiteral("ImportChosenTables(%1)").arg(tables.join(u',')));
        if (const auto scripted = Scripted(QStringLiteral("ImportChosenTables"), abort))
            return *scripted;
        return CCrxLibraryCalls::ImportChosenTables(archivePath, importFolder, abort,
                                                    resourceFolder, header, tables);
    }
    CrxResult AnotherImportCopyBack(const QString& workDb, const QString& importDb) override
    {
        Record(QStringLiteral("AnotherImportCopyBack"));
        if (const auto scripted = Scripted(QStringLiteral("AnotherImportCopyBack"), nullptr))
            return *scripted;
        return CCrxLibraryCalls::AnotherImportCopyBack(workDb, importDb);
    }
    CrxResult AnotherImportFinalize(const QString& importFolder) override
    {
        Record(QStringLiteral("AnotherImportFinalize"));
        if (const auto scripted = Scripted(QStringLiteral("AnotherImportFinalize"), nullptr))
            return *scripted;
        return CCrxLibraryCalls::AnotherImportFinalize(importFolder);
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
    CrxResult ImportDiffBase(const QString& archivePath, const QString& workFolder,
                             const CrxAbortFlag* abort, const QString& resourceFolder,
                             const CrxFileInfo& header) override
    {
        Record(QStringLiteral("ImportDiffBase"));
        if (const auto scripted = Scripted(QStringLiteral("ImportDiffBase"), abort))
            return *scripted;
        return CCrxLibraryCalls::ImportDiffBase(archivePath, workFolder, abort, resourceFolder,
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

    CrxResult ExportPartial(const QString& workFolder, const QString& archivePath,
                            const CrxAbortFlag* abort, const QString& extraFile,
                            const CrxFileInfo& header, const CrxPartialWrite& partial) override
    {
        // The lists, then the five media switches and no-data-info as digits.
        Record(QStringLiteral("ExportPartial(%1|%2|%3|%4%5%6%7%8|%9)")
                   .arg(partial.addList.join(u','), partial.replaceList.join(u','),
                        partial.diffList.join(u','), QString::number(partial.movie),
                        QString::number(partial.fullScreen), QString::number(partial.halfScreen),
                        QString::number(partial.itemImages), QString::number(partial.recommend),
                        QString::number(partial.noDataInfo)));
        if (const auto scripted = Scripted(QStringLiteral("ExportPartial"), abort))
            return *scripted;
        const CrxResult result = CCrxLibraryCalls::ExportPartial(workFolder, archivePath, abort,
                                                                 extraFile, header, partial);
        // An abort that comes after the library finished.
        if (m_bAbortAfterExport)
            const_cast<CrxAbortFlag*>(abort)->store(1);
        return result;
    }

    bool m_bAbortAfterExport = false;

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
