#include "bases/PageLayouts.h"

#include "bases/BaseDialogIds.h"
#include "bases/CBsMainListCtrl.h"
#include "bases/CSettingDetailList.h"
#include "bases/FormalReceiptPageLayout.h"
#include "bases/StampPageLayout.h"
#include "bases/TaxPageLayout.h"
#include "goods/base/CMessageEdit.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <iterator>
#include <span>
#include <vector>

namespace dunmarel {

namespace {

enum class Kind { Edit, Message, Combo, Radio, Checks };

// One line of a page: a label and its control (or group of controls).
struct Row
{
    Kind kind;
    const char* labelKey;
    unsigned labelId;             // 0: the label has no id
    unsigned ctrlId;              // the first control of a group
    const char* itemKeys[2] = {}; // the radio buttons' texts
};

const char* const kBatchKeys[] = {
    "CRDC_BS_CHECK_BATCHREPORT1", "CRDC_BS_CHECK_BATCHREPORT2", "CRDC_BS_CHECK_BATCHREPORT3",
    "CRDC_BS_CHECK_BATCHREPORT4", "CRDC_BS_CHECK_BATCHREPORT5", "CRDC_BS_CHECK_BATCHREPORT6",
    "CRDC_BS_CHECK_BATCHREPORT7", "CRDC_BS_CHECK_BATCHREPORT8",
};

void AddRow(QGridLayout* grid, QWidget* page, const Row& row)
{
    const int line = grid->rowCount();
    auto* label = new QLabel(QLatin1String(row.labelKey), page);
    if (row.labelId)
        SetControlId(label, row.labelId);
    grid->addWidget(label, line, 0, Qt::AlignLeft | Qt::AlignTop);
    QWidget* control = nullptr;
    switch (row.kind) {
    case Kind::Edit:
        control = new CEcrEdit(page);
        break;
    case Kind::Message:
        // Three lines until the page sizes it for its message.
        control = new CMessageEdit(page);
        control->setFixedHeight(3 * control->fontMetrics().lineSpacing() + 12);
        break;
    case Kind::Combo:
        control = new QComboBox(page);
        break;
    case Kind::Radio:
    case Kind::Checks: {
        // A group of its own, so that each radio group is exclusive by itself.
        auto* group = new QWidget(page);
        auto* box = new QHBoxLayout(group);
        box->setContentsMargins(0, 0, 0, 0);
        unsigned id = row.ctrlId;
        const auto keys =
            row.kind == Kind::Radio
                ? std::vector<const char*>(std::begin(row.itemKeys), std::end(row.itemKeys))
                : std::vector<const char*>(std::begin(kBatchKeys), std::end(kBatchKeys));
        for (const char* key : keys) {
            QAbstractButton* button = row.kind == Kind::Radio
                                          ? static_cast<QAbstractButton*>(new QRadioButton(group))
                                          : new QCheckBox(group);
            button->setText(QLatin1String(key));
            SetControlId(button, id++);
            box->addWidget(button);
        }
        box->addStretch();
        grid->addWidget(group, line, 1);
        return;
    }
    }
    SetControlId(control, row.ctrlId);
    grid->addWidget(control, line, 1, Qt::AlignLeft);
}

std::span<const Row> RowsOf(unsigned pageId)
{
    static const Row formalReceipt[] = {
        {Kind::Radio,
         "CRDC_BS_LABEL_SALES_REG_JPRYOUSHUU_SYO",
         0,
         23009,
         {"CRDS_BS_ITEM_RYOUSYUUSHO", "CRDS_BS_ITEM_RYOUSYUUSYOU"}},
        {Kind::Edit, "CRDC_BS_LABEL_MESSAGE_JPRYOUSHUU_TITLE_H", 0, 20007},
        {Kind::Edit, "CRDC_BS_LABEL_MESSAGE_JPRYOUSHUU_MESSAGE1_H", 0, 20008},
        {Kind::Edit, "CRDC_BS_LABEL_MESSAGE_JPRYOUSHUU_MESSAGE2_H", 0, 20009},
        {Kind::Edit, "CRDC_BS_LABEL_MESSAGE_JPRYOUSHUU_MESSAGE3_H", 0, 20010},
        {Kind::Edit, "CRDC_BS_LABEL_SALES_REG_JPRYOUSHUU_INSHI", 0, 20011},
        {Kind::Radio,
         "CRDC_BS_LABEL_SALES_REG_JPRYOUSHUU_LOGO",
         0,
         23011,
         {"CRDS_BS_ITEM_RYOUSYUUSHO_TEXT", "CRDS_BS_ITEM_RYOUSYUUSHO_IMG"}},
        {Kind::Radio,
         "CRDC_BS_LABEL_SALES_REG_JPRYOUSHUU_RCT",
         0,
         23013,
         {"CRDS_BS_ITEM_YES", "CRDS_BS_ITEM_NO"}},
    };
    static const Row receipt[] = {
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_RECEIPT_TOP1_S", 0, 1004},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_RECEIPT_TOP2_S", 0, 1005},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_RECEIPT_BOTTOM1_S", 0, 1006},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_RECEIPT_BOTTOM2_S", 0, 1007},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_RECEIPT_TOP1_L", 0, 1008},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_RECEIPT_TOP2_L", 0, 1009},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_RECEIPT_BOTTOM1_L", 0, 1010},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_RECEIPT_BOTTOM2_L", 0, 1011},
    };
    static const Row order[] = {
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_ORDERRECEIPT_TOP1_S", 0, 1029},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_ORDERRECEIPT_TOP2_S", 0, 1030},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_ORDERRECEIPT_BOTTOM1_S", 0, 1031},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_ORDERRECEIPT_BOTTOM2_S", 0, 1032},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_ORDERRECEIPT_TOP1_L", 0, 1033},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_ORDERRECEIPT_TOP2_L", 0, 1034},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_ORDERRECEIPT_BOTTOM1_L", 0, 1035},
        {Kind::Message, "CRDC_BS_LABEL_MESSAGE_ORDERRECEIPT_BOTTOM2_L", 0, 1036},
    };
    static const Row display[] = {
        {Kind::Combo, "CRDC_BS_LABEL_APP_REG_STYLE", 0, 23101},
        {Kind::Combo, "CRDC_BS_LABEL_APP_CHECK_STYLE", 0, 1093},
        {Kind::Combo, "CRDC_BS_LABEL_APP_CHECK_SIZE", 0, 23103},
        {Kind::Combo, "CRDC_BS_LABEL_APP_CHECK_TIME", 0, 23104},
        {Kind::Combo, "CRDC_BS_LABEL_APP_USER_STYLE", 0, 23105},
        {Kind::Combo, "CRDC_BS_LABEL_INDRAWER_ENTSTYLE", 0, 23106},
        {Kind::Combo, "CRDC_BS_LABEL_SALES_REG_QTYEXTENSION", 0, 23107},
    };
    static const Row tax[] = {
        {Kind::Combo, "CRDC_BS_LABEL_AREA_COUNTRYROUNDING", 0, 1045},
        {Kind::Combo, "CRDC_BS_LABEL_AREA_TAX_SYSTEM", 0, 1094},
        {Kind::Edit, "CRDC_BS_LABEL_AREA_TAX_BAKEDGOODQTY", 0, 1053},
        {Kind::Edit, "CRDC_BS_LABEL_AREA_TAX_PREPAREDMAL", 0, 1054},
        {Kind::Combo, "CRDC_BS_LABEL_AREA_TAX_FS", 0, 1052},
        {Kind::Edit, "CRDC_BS_LABEL_SALES_REG_SERVICECHG_RATE", 0, 1055},
        {Kind::Edit, "CRDC_BS_LABEL_SALES_REG_SERVICECHG2_RATE", 0, 1056},
        {Kind::Edit, "CRDC_BS_LABEL_SALES_REG_SERVICECHG2_START", 0, 1058},
        {Kind::Edit, "CRDC_BS_LABEL_SALES_REG_SERVICECHG2_END", 0, 1060},
    };
    static const Row check[] = {
        {Kind::Checks, "CRDC_BS_LABEL_REPORT_X_BATCH_DEFAULT", 0, 1061},
        {Kind::Checks, "CRDC_BS_LABEL_REPORT_Z_BATCH_DEFAULT", 0, 1069},
        {Kind::Combo, "CRDC_BS_LABEL_REPORT_Z_RESETCHECKNO", 1077, 1078},
        {Kind::Combo, "CRDC_BS_LABEL_REPORT_Z_RESETCONSECNO", 1079, 1080},
    };
    static const Row other[] = {
        {Kind::Combo, "CRDC_BS_LABEL_SALES_RECEIPT_OFF", 0, 1084},
        {Kind::Combo, "CRDC_BS_LABEL_SALES_DRAWER_COMPULSORY", 0, 1086},
        {Kind::Combo, "CRDC_BS_LABEL_SALES_REG_NFP_ENTRY", 0, 1088},
        {Kind::Edit, "CRDC_BS_LABEL_SALES_REG_SCANPLU_START", 0, 1091},
        {Kind::Edit, "CRDC_BS_LABEL_SALES_REG_SCANPLU_END", 0, 1092},
    };
    switch (pageId) {
    case IDD_PAGE_FORMALRECEIPT:
        return formalReceipt;
    case IDD_PAGE_RECEIPT:
        return receipt;
    case IDD_PAGE_ORDER:
        return order;
    case IDD_PAGE_DISP:
        return display;
    case IDD_PAGE_TAX:
        return tax;
    case IDD_PAGE_CHECK:
        return check;
    case IDD_PAGE_OTHER:
        return other;
    }
    return {};
}

} // namespace

bool BuildPageControls(unsigned pageId, QWidget* page)
{
    if (BuildStampPageControls(pageId, page))
        return true;
    if (BuildTaxPageControls(pageId, page))
        return true;
    if (BuildFormalReceiptPageControls(pageId, page))
        return true;
    if (pageId == IDD_PAGE_DETAIL) {
        auto* outer = new QVBoxLayout(page);
        auto* list = new CBsMainListCtrl(page);
        SetControlId(list, CSettingDetailList::kListId);
        outer->addWidget(list);
        return true;
    }
    const std::span<const Row> rows = RowsOf(pageId);
    if (rows.empty())
        return false;
    auto* outer = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    outer->addLayout(grid);
    outer->addStretch();
    for (const Row& row : rows)
        AddRow(grid, page, row);
    return true;
}

} // namespace dunmarel
