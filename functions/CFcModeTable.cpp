#include "functions/CFcModeTable.h"

#include "functions/CColumnDataCSB003Value.h"
#include "functions/CColumnDataCharacter.h"
#include "functions/CColumnDataFcFunctionCodeCombo.h"
#include "functions/CFcColumnDataList.h"
#include "functions/FcDialogIds.h"
#include "functions/FcModeChoice.h"
#include "functions/keylayout/KeyLayoutColumns.h"

#include "shared/data/CColumnData.h"

namespace kesmond {

namespace {

const uint kPageIds[] = {IDD_FC_PAGE_BASIC};

CColumnData* Plain(const char* column, const char* labelKey = "", uint ctrlId = 0,
                   uint labelCtrlId = 0)
{
    return new CColumnData(QLatin1String(column), QLatin1String(labelKey), ctrlId, labelCtrlId);
}

// The function-key columns; the function lists' copy has no label on the key.
std::vector<CColumnData*> FunctionKeyColumns(const char* keyLabel)
{
    return {
        Plain("FUNCKEYCODE", "CRDS_FC_CLMN_NUMBER"), // the running number
        Plain("FUNCKEYCODE", keyLabel, IDC_FC_KEYCODE),
        Plain("FUNCKEYNAME", "CRDS_FC_CLMN_FUNCKEYNAME", IDC_FC_NAME, 23030),
        new CColumnDataFcFunctionCodeCombo(
            QStringLiteral("FUNCTIONCODE"), QStringLiteral("CRDS_FC_CLMN_FUNCTIONCODE"),
            IDC_FC_FUNCTION, 23039, QStringLiteral("CSM009"), QStringLiteral("FUNCTIONCODE"),
            QStringLiteral("FUNCTIONNAME"), 0),
        new CColumnDataCSB003Value(QStringLiteral("FUNCKEYCODE"), QString(), IDC_FC_AMOUNT, 23031,
                                   1, CColumnDataCSB003Value::Amount, 6, 0),
        new CColumnDataCSB003Value(QStringLiteral("FUNCKEYCODE"), QString(), IDC_FC_RATE, 23125, 1,
                                   CColumnDataCSB003Value::Rate, 4, 2),
        Plain("CREATEDATETIME"),
        Plain("UPDATEDATETIME"),
        nullptr,
    };
}

std::vector<CColumnData*> KeyLayoutColumns()
{
    const QStringList& names = KeyLayoutColumnNames();
    std::vector<CColumnData*> columns;
    for (qsizetype i = 0; i < names.size(); ++i)
        columns.push_back(new CColumnData(
            names[i], i < 20 ? QStringLiteral("CRDS_FC_CLMN_NUMBER") : QString(), 0, 0));
    columns.push_back(nullptr);
    return columns;
}

std::vector<CColumnData*> CharacterColumns()
{
    // The code shows as its title; the text is the text dialog's edit.
    return {
        new CColumnDataCharacter(QStringLiteral("CHARSETCODE"),
                                 QStringLiteral("CRDS_FC_CLMN_CHARTITLE")),
        Plain("CHARDATA", "CRDS_FC_CLMN_CHARDATA", 23194, 23193),
        Plain("REMARKS"),
        Plain("CREATEDATETIME"),
        Plain("UPDATEDATETIME"),
        nullptr,
    };
}

} // namespace

CFcModeTable::CFcModeTable()
    : m_fkColumns(FunctionKeyColumns("CRDS_FC_CLMN_FUNCKEYCODE")),
      m_flColumns(FunctionKeyColumns("")), m_klColumns(KeyLayoutColumns()),
      m_chColumns(CharacterColumns()), m_fkList(std::make_unique<CFcColumnDataList>(
                                           QStringLiteral("CSB002"), m_fkColumns.data(), 1)),
      m_flList(
          std::make_unique<CFcColumnDataList>(QStringLiteral("CSB002"), m_flColumns.data(), 0)),
      m_klList(std::make_unique<CColumnDataList>(QStringLiteral("CSB022"), m_klColumns.data())),
      m_chList(std::make_unique<CColumnDataList>(QStringLiteral("CSB007"), m_chColumns.data()))
{
    CColumnDataList* lists[] = {m_fkList.get(), m_flList.get(), m_klList.get(), m_chList.get()};
    for (int i = 0; i < kFcModeCount; ++i) {
        const FcModeEntry& e = FcModeEntryAt(i);
        m_entries[size_t(i)] =
            std::make_unique<CDataManager>(e.key, e.listDlgId, IDD_FC_TAB, IDD_FC_PAGE_PROPERTIES,
                                           QLatin1String(e.windowNameKey), kPageIds, 1, lists[i]);
    }
}

// The managers free the descriptors (through their lists) before the lists go.
CFcModeTable::~CFcModeTable()
{
    for (auto& entry : m_entries)
        entry.reset();
}

} // namespace kesmond
