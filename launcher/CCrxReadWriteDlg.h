#pragma once

#include "launcher/CCrxProgressDlg.h"
#include "launcher/CCrxReadWriteJob.h"

#include <QString>

namespace tovanel {

// The progress dialog of an archive read or full write. The dialog ends only
// when the job has ended, with 1 on success and 0 otherwise, after showing
// the message that belongs to the result.
class CCrxReadWriteDlg : public CCrxProgressDlg
{
    Q_OBJECT

public:
    explicit CCrxReadWriteDlg(QWidget* parent = nullptr);
    ~CCrxReadWriteDlg() override;

    // Filled by the caller before DoModal; after a successful read the
    // header the archive held is in Job().m_header.
    CCrxReadWriteJob& Job() { return m_job; }
    QString m_strMessage; // the text line
    QString m_strCaption; // window title and caption of the messages

protected:
    bool OnInitDialog() override;

private:
    void OnWorkerDone(CrxResult result);
    void ShowResultMessage(CrxResult result);

    CCrxReadWriteJob m_job;
};

} // namespace tovanel
