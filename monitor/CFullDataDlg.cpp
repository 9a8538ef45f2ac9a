#include "monitor/CFullDataDlg.h"

#include "monitor/MediaSlotLayout.h"
#include "monitor/SignageFolder.h"

#include "shared/dialogs/CDialogTemplate.h"

namespace mervolt {

namespace {

const uint kMusicSelect[] = {23239, 23205, 23206, 23208, 23210};
const uint kMusicDelete[] = {23204, 23240, 23207, 23209, 23211};

MonMediaSlot Media(uint edit, uint select, uint remove, const QString& key, const QString& folder,
                   const char* filter, const char* limit, const char* permit)
{
    return {MonMediaSlot::Media, edit, key, folder, select, remove, filter, limit, permit};
}

} // namespace

std::vector<MonMediaSlot> CFullDataDlg::SlotTable()
{
    std::vector<MonMediaSlot> table;
    table.push_back(Media(23241, 23227, 23228, QStringLiteral("idle_movie_file"), signage::Movie,
                          "CRDS_MO_SEL_MOVIEFILE", "CRDS_MO_LIMITSIZE_MOVIE",
                          "CRDS_MO_SEL_MOVIEFILE_PERMIT"));
    for (uint n = 1; n <= 5; ++n)
        table.push_back(Media(23216 + n, 23228 + n, 23233 + n,
                              QStringLiteral("idle_slide%1_file").arg(n), signage::FullImage,
                              "CRDS_MO_SEL_PNGFILE", "CRDS_MO_LIMITSIZE_IMAGE",
                              "CRDS_MO_SEL_PNGFILE_PERMIT"));
    for (uint n = 1; n <= 5; ++n)
        table.push_back({MonMediaSlot::Telop, 23211 + n, QStringLiteral("idle_telop%1_file").arg(n),
                         signage::FullTelop});
    for (uint n = 1; n <= 5; ++n)
        table.push_back(Media(23221 + n, kMusicSelect[n - 1], kMusicDelete[n - 1],
                              QStringLiteral("idle_music%1_file").arg(n), signage::Music,
                              "CRDS_MO_SEL_MUGICFILE", "CRDS_MO_LIMITSIZE_MUGIC",
                              "CRDS_MO_SEL_MUGICFILE_PERMIT"));
    return table;
}

CFullDataDlg::CFullDataDlg(QWidget* parent)
    : CMediaDataDlg(parent, IDD, SlotTable(),
                    {signage::Movie, signage::FullImage, signage::FullTelop, signage::Music})
{
    CDialogTemplate tmpl(this, 9, kMediaDlgWidth, 358);
    setWindowTitle(QStringLiteral("CRDD_MO_FULLDATA"));
    const std::vector<MonMediaSlot>& table = Slots();
    AddGroup(tmpl, QStringLiteral("CRDC_MO_MOVIE"), 4, 40);
    AddSlotRow(tmpl, table[0], QStringLiteral("CRDC_MO_MOVIE"), 16);
    AddExplanation(tmpl, 23242, QStringLiteral("CRDC_MO_MOVIE_EXPLAIN"), 31);

    AddGroup(tmpl, QStringLiteral("CRDC_MO_SLIDESHOW"), 48, 176);
    for (int n = 1; n <= 5; ++n) {
        const int y = 60 + (n - 1) * 30;
        AddSlotRow(tmpl, table[n], QStringLiteral("CRDC_MO_IMAGE%1").arg(n), y);
        AddSlotRow(tmpl, table[5 + n], QStringLiteral("CRDC_MO_TELOP%1").arg(n), y + 15);
    }
    AddExplanation(tmpl, 23243, QStringLiteral("CRDC_MO_SLIDESHOW_EXPLAIN"), 210);

    AddGroup(tmpl, QStringLiteral("CRDC_MO_MUSIC"), 228, 102);
    for (int n = 1; n <= 5; ++n)
        AddSlotRow(tmpl, table[10 + n], QStringLiteral("CRDC_MO_MUSIC%1").arg(n),
                   240 + (n - 1) * 15);
    AddExplanation(tmpl, 23244, QStringLiteral("CRDC_MO_MUSIC_EXPLAIN"), 316);

    AddBottomButtons(*this);
    LetGrow(this);
    ConnectSlots();
}

CFullDataDlg::~CFullDataDlg() = default;

} // namespace mervolt
