#pragma once

#include "launcher/CTovanelDialog.h"

namespace tovanel {

// Before the key-layout program starts: the key-layout editor or the
// function-list editor.
class CSelectKeyLayoutDlg : public CTovanelDialog
{
    Q_OBJECT
public:
    static constexpr uint IDD = 3021;
    static constexpr uint IDC_KEYLAYOUT = 1078;
    static constexpr uint IDC_FUNCTIONLIST = 1079;

    explicit CSelectKeyLayoutDlg(QWidget* parent = nullptr);
    ~CSelectKeyLayoutDlg() override;

    // 1 the key layout, 0 the function list.
    int m_nChoice = 1;

protected:
    bool OnInitDialog() override;
};

} // namespace tovanel
