#include "bases/StampPageLayout.h"

#include "bases/BaseDialogIds.h"
#include "goods/base/CMessageEdit.h"
#include "bases/CReceipt80ListBox.h"

#include "shared/controls/FindControlById.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dunmarel {

namespace {

constexpr StampPageIds kIds58 = {1195, 1198, {1004, 1005, 1006, 1007}, 1202, 1206, 1208, 1215};
constexpr StampPageIds kIds80 = {1184, 1185, {1008, 1009, 1010, 1011}, 1210, 23013, 23014, 1187};

const char* const kMessageLabels58[4] = {
    "CRDC_BS_LABEL_MESSAGE_RECEIPT_TOP1_S", "CRDC_BS_LABEL_MESSAGE_RECEIPT_TOP2_S",
    "CRDC_BS_LABEL_MESSAGE_RECEIPT_BOTTOM1_S", "CRDC_BS_LABEL_MESSAGE_RECEIPT_BOTTOM2_S"};
const char* const kMessageLabels80[4] = {
    "CRDC_BS_LABEL_MESSAGE_RECEIPT_TOP1_L", "CRDC_BS_LABEL_MESSAGE_RECEIPT_TOP2_L",
    "CRDC_BS_LABEL_MESSAGE_RECEIPT_BOTTOM1_L", "CRDC_BS_LABEL_MESSAGE_RECEIPT_BOTTOM2_L"};

// The preview's size on the page: about a third of the receipt's scale.
constexpr int kPreviewWidth = 240;
constexpr int kPreviewHeight = 392;

QLabel* AddLabel(QGridLayout* grid, QWidget* page, const char* key)
{
    auto* label = new QLabel(QLatin1String(key), page);
    grid->addWidget(label, grid->rowCount(), 0, Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// An on/off pair in a group of its own, so that each pair is exclusive by itself.
void AddStampRadios(QGridLayout* grid, QWidget* page, const char* labelKey, unsigned onId,
                    unsigned offId)
{
    const int line = grid->rowCount();
    AddLabel(grid, page, labelKey);
    auto* group = new QWidget(page);
    auto* box = new QHBoxLayout(group);
    box->setContentsMargins(0, 0, 0, 0);
    for (const auto& [id, key] :
         {std::pair<unsigned, const char*>{onId, "CRDC_BS_BTN_RECEIPT80_STAMP_ON"},
          {offId, "CRDC_BS_BTN_RECEIPT80_STAMP_OFF"}}) {
        auto* radio = new QRadioButton(QLatin1String(key), group);
        SetControlId(radio, id);
        box->addWidget(radio);
    }
    box->addStretch();
    grid->addWidget(group, line, 1);
}

void AddMessage(QGridLayout* grid, QWidget* page, const char* labelKey, unsigned id)
{
    const int line = grid->rowCount();
    AddLabel(grid, page, labelKey);
    auto* edit = new CMessageEdit(page);
    edit->setFixedHeight(3 * edit->fontMetrics().lineSpacing() + 12);
    SetControlId(edit, id);
    grid->addWidget(edit, line, 1, Qt::AlignLeft);
}

} // namespace

const StampPageIds& StampPageIdsOf(bool paper58)
{
    return paper58 ? kIds58 : kIds80;
}

bool BuildStampPageControls(unsigned pageId, QWidget* page)
{
    if (pageId != IDD_PAGE_EASY_58MM && pageId != IDD_PAGE_EASY_80MM)
        return false;
    const bool paper58 = pageId == IDD_PAGE_EASY_58MM;
    const StampPageIds& ids = StampPageIdsOf(paper58);
    const char* const* labels = paper58 ? kMessageLabels58 : kMessageLabels80;

    auto* outer = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    left->addLayout(grid);
    left->addStretch();
    outer->addLayout(left, 1);

    AddStampRadios(grid, page, "CRDC_BS_LABEL_RECEIPT_TOPSTAMP", ids.topOn, ids.topOff);
    AddMessage(grid, page, labels[0], ids.messages[0]);
    AddMessage(grid, page, labels[1], ids.messages[1]);
    const int taxLine = grid->rowCount();
    AddLabel(grid, page, "CRDC_BS_LABEL_RECEIPT_TAXPRINT");
    auto* taxPrint = new QComboBox(page);
    SetControlId(taxPrint, ids.taxPrint);
    grid->addWidget(taxPrint, taxLine, 1, Qt::AlignLeft);
    AddMessage(grid, page, labels[2], ids.messages[2]);
    AddMessage(grid, page, labels[3], ids.messages[3]);
    AddStampRadios(grid, page, "CRDC_BS_LABEL_RECEIPT_BOTTOMSTAMP", ids.bottomOn, ids.bottomOff);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("CRDC_BS_LABEL_RECEIPT_PREVIEW"), page));
    auto* preview = new CReceipt80ListBox(page);
    SetControlId(preview, ids.preview);
    preview->setFixedSize(kPreviewWidth, kPreviewHeight);
    right->addWidget(preview);
    right->addStretch();
    outer->addLayout(right);
    return true;
}

} // namespace dunmarel
