#include "images/CGpSmartRyoushu.h"

#include "shared/controls/FindControlById.h"

#include <QGroupBox>
#include <QLabel>

namespace pellark {

namespace {

constexpr StampIds kShopIds{1060, 0,    1007, 1013, 1035, 0,    0,    0, 0,
                            0,    1009, 1016, 1017, 1014, 1071, 1072, 0};
constexpr StampIds kAddressIds{1061, 0,    1010, 1018, 1036, 0,    0,    0, 0,
                               0,    1031, 1034, 1037, 1032, 1073, 1074, 0};

} // namespace

CGpSmartRyoushu::CGpSmartRyoushu(CSQliteDB* db, QWidget* parent) : CGpSmartDlg(db, IDD, parent)
{
    m_shop.prefix = QStringLiteral("R_SHOP");
    m_address.prefix = QStringLiteral("R_ADDR");
    auto* explain = new QLabel(QStringLiteral("CRDC_STATIC_RYOUSHUU_EXPLAIN"), this);
    SetControlId(explain, IDC_EXPLAIN);
    explain->setGeometry(8, 4, 864, 20);
    AddLoadExplanation(26);
    BuildStamp(m_shop, kShopIds, 50);
    BuildStamp(m_address, kAddressIds, 292);
    FindControlById(this, kShopIds.group)
        ->setProperty("title", QStringLiteral("CRDC_STATIC_MAKERYOUSHUSHOPSTAMP"));
    FindControlById(this, kAddressIds.group)
        ->setProperty("title", QStringLiteral("CRDC_STATIC_MAKERYOUSHUADDRSTAMP"));
    AddPageButtons();
    resize(880, 600);
}

bool CGpSmartRyoushu::OnInitDialog()
{
    CGpSmartDlg::OnInitDialog();
    InitStamps();
    return true;
}

} // namespace pellark
