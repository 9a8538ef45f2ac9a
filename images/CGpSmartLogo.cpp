#include "images/CGpSmartLogo.h"

#include "images/CGpImgButton.h"
#include "images/StampTemplate.h"

#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/WindowText.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>

namespace pellark {

namespace {

const QString kWidthKey = QStringLiteral("SHOP1RPTWIDTH");

constexpr StampIds kShopIds{1051, 1052, 1007, 1013, 1035, 1053, 1008, 1011, 1012,
                            1066, 1009, 1016, 1017, 1014, 1069, 1070, 1061};
constexpr StampIds kAddressIds{1057, 1058, 1010, 1018, 1036, 1054, 1020, 1022, 1021,
                               1056, 1031, 1034, 1019, 1032, 1071, 1072, 1062};

// Caption keys by control, inside and outside the print logo.
struct Caption
{
    uint id;
    const char* inside;
    const char* outside;
};
constexpr Caption kCaptions[] = {
    {1051, "CRDS_IM_INSIDEPRINTLOGO1", "CRDS_IM_OUTSIDEPRINTLOGO1"},
    {1052, "CRDS_IM_INSIDEPRINTLOGOPREVIEW1", "CRDS_IM_OUTSIDEPRINTLOGOPREVIEW1"},
    {1053, "CRDS_IM_INSIDEPRINTLOGOTEMPLATE1", "CRDS_IM_OUTSIDEPRINTLOGOTEMPLATE1"},
    {1066, "CRDS_IM_INSIDEPRINTLOGOTEXT1", "CRDS_IM_OUTSIDEPRINTLOGOTEMTEXT1"},
    {1057, "CRDS_IM_INSIDEPRINTLOGO2", "CRDS_IM_OUTSIDEPRINTLOGO2"},
    {1058, "CRDS_IM_INSIDEPRINTLOGOPREVIEW2", "CRDS_IM_OUTSIDEPRINTLOGOPREVIEW2"},
    {1054, "CRDS_IM_INSIDEPRINTLOGOTEMPLATE2", "CRDS_IM_OUTSIDEPRINTLOGOTEMPLATE2"},
    {1056, "CRDS_IM_INSIDEPRINTLOGOTEXT2", "CRDS_IM_OUTSIDEPRINTLOGOTEMTEXT2"},
};

} // namespace

CGpSmartLogo::CGpSmartLogo(CSQliteDB* db, QWidget* parent) : CGpSmartDlg(db, IDD, parent)
{
    AddLoadExplanation(4);
    BuildStamp(m_shop, kShopIds, 28);
    BuildStamp(m_address, kAddressIds, 270);
    auto* group = new QGroupBox(QStringLiteral("CRDC_STATIC_RECEIPTWIDTH"), this);
    SetControlId(group, IDC_WIDTHGROUP);
    group->setGeometry(8, 510, 320, 44);
    group->lower();
    for (const auto& [id, key, x] :
         {std::tuple<uint, const char*, int>{IDC_WIDTH58, "CRDC_RADIO_RECEIPT58MM", 20},
          {IDC_WIDTH80, "CRDC_RADIO_RECEIPT80MM", 170}}) {
        auto* radio = new QRadioButton(QLatin1String(key), this);
        SetControlId(radio, id);
        radio->setGeometry(x, 528, 140, 22);
        const bool narrow = id == IDC_WIDTH58;
        connect(radio, &QRadioButton::toggled, this, [this, narrow](bool on) {
            if (on && !Initialising())
                ChangeWidth(narrow);
        });
    }
    AddPageButtons();
    resize(880, 600);
    SetMode(ModeInside);
}

void CGpSmartLogo::SetMode(int mode)
{
    m_nMode = mode;
    const bool inside = mode == ModeInside;
    m_shop.prefix = inside ? QStringLiteral("SHOP1") : QStringLiteral("SHOP2");
    m_address.prefix = inside ? QStringLiteral("ADDR1") : QStringLiteral("ADDR2");
}

bool CGpSmartLogo::OnInitDialog()
{
    CGpSmartDlg::OnInitDialog();
    if (m_nMode == ModeOutside) {
        SetNarrowFlag(false);
        for (uint id : {IDC_WIDTHGROUP, IDC_WIDTH58, IDC_WIDTH80})
            FindControlById(this, id)->hide();
    } else {
        SetNarrowFlag(OpenProfile()->value(kWidthKey, 0).toInt() != 0);
    }
    ShowWidth();
    for (const Caption& caption : kCaptions)
        SetWindowText(
            FindControlById(this, caption.id),
            GetLangString(QLatin1String(m_nMode == ModeInside ? caption.inside : caption.outside)));
    SetTemplates(LoadStampTemplates(QStringLiteral("/LOGO/"), kStampTemplateKind));
    InitStamps();
    return true;
}

void CGpSmartLogo::ShowWidth()
{
    const bool narrow = IsNarrow();
    static_cast<QRadioButton*>(FindControlById(this, narrow ? IDC_WIDTH58 : IDC_WIDTH80))
        ->setChecked(true);
    const QString explain = GetLangString(narrow ? QStringLiteral("CRDC_STATIC_SIZE58MM_EXPLAIN")
                                                 : QStringLiteral("CRDC_STATIC_SIZE80MM_EXPLAIN"));
    for (StampSlot* stamp : {&m_shop, &m_address}) {
        stamp->preview->SetNarrow(narrow);
        stamp->explain->setText(explain);
    }
}

void CGpSmartLogo::ChangeWidth(bool narrow)
{
    if (IsBroken() || m_nMode == ModeOutside)
        return;
    SetNarrowFlag(narrow);
    ShowWidth();
    for (StampSlot* stamp : {&m_shop, &m_address}) {
        if (narrow)
            ClearRightOfNarrow(stamp->image);
        SetXRange(*stamp);
        Redraw(*stamp);
    }
}

void CGpSmartLogo::SaveProfileExtras(QSettings& profile)
{
    if (m_nMode == ModeInside)
        profile.setValue(kWidthKey, IsNarrow() ? 1 : 0);
}

} // namespace pellark
