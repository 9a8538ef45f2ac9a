#pragma once

#include "monitor/CMediaDataDlg.h"

namespace mervolt {

// The idle screen's media: one movie, five slides with their telops, five
// music files.
class CFullDataDlg : public CMediaDataDlg
{
    Q_OBJECT

public:
    enum : uint { IDD = 3045 };

    explicit CFullDataDlg(QWidget* parent = nullptr);
    ~CFullDataDlg() override;

    static std::vector<MonMediaSlot> SlotTable();
};

} // namespace mervolt
