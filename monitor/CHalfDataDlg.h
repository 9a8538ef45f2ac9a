#pragma once

#include "monitor/CMediaDataDlg.h"

namespace mervolt {

// The transaction screen's media: five slides with their telops.
class CHalfDataDlg : public CMediaDataDlg
{
    Q_OBJECT

public:
    enum : uint { IDD = 3046 };

    explicit CHalfDataDlg(QWidget* parent = nullptr);
    ~CHalfDataDlg() override;

    static std::vector<MonMediaSlot> SlotTable();
};

} // namespace mervolt
