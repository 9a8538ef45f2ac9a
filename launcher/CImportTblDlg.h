#pragma once

#include "launcher/CCrxProgressDlg.h"
#include "launcher/CImportTblJob.h"

#include <QString>

namespace tovanel {

// The progress dialog of a table import from another archive. The other
// archive's header is read on a worker thread; then, on the window's thread,
// the user is asked when its package or versions differ from the open
// archive's; then the import runs on a worker thread. Abort works in both
// phases. The dialog ends with 1 after a successful import and with 0
// otherwise, after the message of the result.
class CImportTblDlg : public CCrxProgressDlg
{
    Q_OBJECT

public:
    explicit CImportTblDlg(QWidget* parent = nullptr);
    ~CImportTblDlg() override;

    // Filled by the caller before DoModal (archive, resource folder, tables,
    // open header, folders).
    CImportTblJob& Job() { return m_job; }
    QString m_strCaption; // window title and caption of the messages

protected:
    bool OnInitDialog() override;

private:
    void OnHeaderRead(CrxResult result);
    // An OK/Cancel question; true on OK. Nothing to ask: true.
    bool Confirm(const QString& key, const QString& question);
    void Finish(CrxResult result);

    CImportTblJob m_job;
};

} // namespace tovanel
