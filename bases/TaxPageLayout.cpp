#include "bases/TaxPageLayout.h"

#include "bases/BaseDialogIds.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/controls/CPercentEdit.h"
#include "shared/controls/FindControlById.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace dunmarel {

namespace {

struct TaxRow
{
    const char* labelKey;
    unsigned ctrlIds[6]; // type, rate, rounding, tax name, taxable name, tax amount name
};

const TaxRow kCurrentRates[] = {
    {"CRDC_BS_LABEL_TAXCODE_01", {1096, 1097, 1098, 1099, 1100, 1101}},
    {"CRDC_BS_LABEL_TAXCODE_02", {1102, 1103, 1104, 1105, 1106, 1107}},
    {"CRDC_BS_LABEL_TAXCODE_03", {1108, 1109, 1110, 1111, 1112, 1113}},
    {"CRDC_BS_LABEL_TAXCODE_04", {1114, 1115, 1116, 1117, 1118, 1119}},
};
const TaxRow kReservedRates[] = {
    {"CRDC_BS_LABEL_TAXCODE_91", {1120, 1121, 1122, 1123, 1124, 1125}},
    {"CRDC_BS_LABEL_TAXCODE_92", {1126, 1127, 1128, 1129, 1130, 1131}},
    {"CRDC_BS_LABEL_TAXCODE_93", {1224, 1226, 1227, 1228, 1229, 1230}},
    {"CRDC_BS_LABEL_TAXCODE_94", {1231, 1232, 1233, 1234, 1235, 1236}},
};
const char* const kHeaderKeys[] = {
    "CRDC_BS_LABEL_TAXTYPE", "CRDC_BS_LABEL_TAXRATE",        "CRDC_BS_LABEL_TAXROUNDTYPE",
    "CRDC_BS_LABEL_TAXNAME", "CRDC_BS_LABEL_TAXABLEAMTNAME", "CRDC_BS_LABEL_TAXAMTNAME",
};
constexpr int kRateDigits = 3;

QWidget* MakeControl(int column, QWidget* page)
{
    switch (column) {
    case 0:
    case 2:
        return new QComboBox(page);
    case 1: {
        auto* rate = new CPercentEdit(page);
        rate->SetDigits(kRateDigits, kRateDigits);
        return rate;
    }
    default:
        return new CEcrEdit(page);
    }
}

void AddRates(QGridLayout* grid, QWidget* page, const TaxRow (&rows)[4])
{
    for (int c = 0; c < 6; ++c)
        grid->addWidget(new QLabel(QLatin1String(kHeaderKeys[c]), page), 0, c + 1);
    int line = 1;
    for (const TaxRow& row : rows) {
        grid->addWidget(new QLabel(QLatin1String(row.labelKey), page), line, 0);
        for (int c = 0; c < 6; ++c) {
            QWidget* control = MakeControl(c, page);
            SetControlId(control, row.ctrlIds[c]);
            grid->addWidget(control, line, c + 1, Qt::AlignLeft);
        }
        ++line;
    }
}

void AddReservation(QVBoxLayout* outer, QWidget* page)
{
    auto* radios = new QWidget(page);
    auto* box = new QHBoxLayout(radios);
    box->setContentsMargins(0, 0, 0, 0);
    unsigned id = 1168;
    for (const char* key : {"CRDS_BS_RADIO_TAXRSV_ON", "CRDS_BS_RADIO_TAXRSV_OFF"}) {
        auto* radio = new QRadioButton(QLatin1String(key), radios);
        SetControlId(radio, id++);
        box->addWidget(radio);
    }
    box->addStretch();
    outer->addWidget(radios);

    auto* when = new QGridLayout;
    auto* date = new QDateEdit(page);
    date->setCalendarPopup(true);
    SetControlId(date, 1170);
    auto* time = new QTimeEdit(page);
    time->setDisplayFormat(QStringLiteral("HH:mm"));
    time->setTime(QTime(0, 0));
    SetControlId(time, 1171);
    when->addWidget(new QLabel(QStringLiteral("CRDC_BS_LABEL_TAXRSV_DATE"), page), 0, 0);
    when->addWidget(date, 0, 1, Qt::AlignLeft);
    when->addWidget(new QLabel(QStringLiteral("CRDC_BS_LABEL_TAXRSV_TIME"), page), 1, 0);
    when->addWidget(time, 1, 1, Qt::AlignLeft);
    when->setColumnStretch(1, 1);
    outer->addLayout(when);
}

} // namespace

bool BuildTaxPageControls(unsigned pageId, QWidget* page)
{
    if (pageId != IDD_PAGE_TAXSETTING && pageId != IDD_PAGE_TAXRESERVATION)
        return false;
    auto* outer = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    if (pageId == IDD_PAGE_TAXSETTING) {
        AddRates(grid, page, kCurrentRates);
    } else {
        AddRates(grid, page, kReservedRates);
        AddReservation(outer, page);
    }
    outer->addStretch();
    return true;
}

} // namespace dunmarel
