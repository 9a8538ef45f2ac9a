#include "monitor/CHalfDataDlg.h"

#include "monitor/MediaSlotLayout.h"
#include "monitor/SignageFolder.h"

#include "shared/dialogs/CDialogTemplate.h"

namespace mervolt {

std::vector<MonMediaSlot> CHalfDataDlg::SlotTable()
{
    std::vector<MonMediaSlot> table;
    for (uint n = 1; n <= 5; ++n)
        table.push_back({MonMediaSlot::Media, 23216 + n,
                         QStringLiteral("transaction_slide%1_file").arg(n), signage::HalfImage,
                         23228 + n, 23233 + n, "CRDD_MO_SEL_PNGFILE", "CRDS_MO_LIMITSIZE_IMAGE",
                         "CRDS_MO_SEL_PNGFILE_PERMIT"});
    for (uint n = 1; n <= 5; ++n)
        table.push_back({MonMediaSlot::Telop, 23211 + n,
                         QStringLiteral("transaction_telop%1_file").arg(n), signage::HalfTelop});
    return table;
}

CHalfDataDlg::CHalfDataDlg(QWidget* parent)
    : CMediaDataDlg(parent, IDD, SlotTable(), {signage::HalfImage, signage::HalfTelop})
{
    CDialogTemplate tmpl(this, 9, kMediaDlgWidth, 208);
    setWindowTitle(QStringLiteral("CRDD_MO_HALFDATA"));
    const std::vector<MonMediaSlot>& table = Slots();
    AddGroup(tmpl, QStringLiteral("CRDC_MO_SLIDESHOW"), 4, 176);
    for (int n = 1; n <= 5; ++n) {
        const int y = 16 + (n - 1) * 30;
        AddSlotRow(tmpl, table[n - 1], QStringLiteral("CRDC_MO_IMAGE%1").arg(n), y);
        AddSlotRow(tmpl, table[4 + n], QStringLiteral("CRDC_MO_TELOP%1").arg(n), y + 15);
    }
    AddExplanation(tmpl, 23244, QStringLiteral("CRDC_MO_HALF_SLIDESHOW_EXPLAIN"), 166);
    AddBottomButtons(*this);
    LetGrow(this);
    ConnectSlots();
}

CHalfDataDlg::~CHalfDataDlg() = default;

} // namespace mervolt
