#include "bases/TabTitleKeys.h"

#include "bases/ChooseMode.h"

#include "shared/data/CDataManager.h"

namespace dunmarel {

QStringList TabTitleKeys(const CDataManager& manager, int windowKind)
{
    const QLatin1String mode(manager.m_pszModeKey ? manager.m_pszModeKey : "");
    if (mode == QLatin1String("RM_EASY"))
        return {QStringLiteral("CRDS_BS_TAB_PAGE_FOR58MM"),
                QStringLiteral("CRDS_BS_TAB_PAGE_FOR80MM")};
    if (mode == QLatin1String("RC_EASY"))
        return {QStringLiteral("CRDS_BS_TAB_PAGE_RYOUSHUUSHO")};
    const QString& name = manager.m_strWindowNameKey;
    if (name == u"CRDS_BS_WINNAME_RECEIPT")
        return {QStringLiteral("CRDS_BS_TAB_PAGE_RECEIPT"),
                QStringLiteral("CRDS_BS_TAB_PAGE_ORDER")};
    if (name == u"CRDS_BS_WINNAME_JPRYOUSHUU")
        return {QStringLiteral("CRDS_BS_TAB_PAGE_SETUP")};
    if (name == u"CRDS_BS_WINNAME_GENERALSETTING") {
        if (windowKind == MODE_AS)
            return {QStringLiteral("CRDS_BS_TAB_PAGE_DISP"), QStringLiteral("CRDS_BS_TAB_PAGE_TAX"),
                    QStringLiteral("CRDS_BS_TAB_PAGE_CHAECK"),
                    QStringLiteral("CRDS_BS_TAB_PAGE_OTHER")};
        if (windowKind == MODE_AS_RES)
            return {QStringLiteral("CRDS_BS_TAB_PAGE_DETAIL")};
        return {QStringLiteral("CRDS_BS_TAB_PAGE_CHAECK"),
                QStringLiteral("CRDS_BS_TAB_PAGE_DETAIL")};
    }
    if (name == u"CRDS_BS_WINNAME_TAXSETTING")
        return {QStringLiteral("CRDS_BS_TAB_PAGE_TAXSETTING"),
                QStringLiteral("CRDS_BS_TAB_PAGE_TAXRESVSETTING")};
    return {};
}

} // namespace dunmarel
