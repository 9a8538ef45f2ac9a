#pragma once

#include "launcher/CTovanelDialog.h"

class CHyperLink;

namespace tovanel {

// The about box: the version line, and (for language type 0) the
// registration text with the maker's web link.
class CAboutDlg : public CTovanelDialog
{
    Q_OBJECT
public:
    static constexpr uint IDD = 100;
    static constexpr uint IDC_LINK = 1039;
    static constexpr uint IDC_REGIINFO = 1080;
    static constexpr uint IDC_VERSION = 1082;

    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    CHyperLink* Link() const { return m_pLink; }

protected:
    bool OnInitDialog() override;

private:
    CHyperLink* m_pLink = nullptr;
};

} // namespace tovanel
