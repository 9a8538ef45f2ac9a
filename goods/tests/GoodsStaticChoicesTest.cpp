// What the goods tables' fixed choices store and show.
#include "goods/CGoodsColumnLists.h"

#include "goods/tests/GoodsDbFixture.h"
#include "shared/data/CColumnDataStaticCombo.h"
#include "shared/data/CColumnDataUniqueRadio.h"
#include "shared/data/CColumnDataYesNoRadio.h"
#include "shared/lang/CResourceLangDatas.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/QtPrinters.h"

#include <QComboBox>

using namespace brelkin;

namespace {

class GoodsStaticChoicesTest : public GoodsDbFixture
{
protected:
    CColumnData* Column(GoodsList which, const char* name)
    {
        CColumnDataList* list = m_lists.Get(which);
        for (int i = 0; i < list->m_nColumnCount; ++i)
            if (list->m_ppColumnData[i]->m_strColumnName == QLatin1String(name))
                return list->m_ppColumnData[i];
        ADD_FAILURE() << name;
        return nullptr;
    }

    // The value stored when the entry showing the key's text is chosen.
    QString Stored(GoodsList which, const char* name, const char* key)
    {
        CColumnData* column = Column(which, name);
        QComboBox combo;
        column->ReadCandidate(&combo);
        combo.setCurrentIndex(combo.findText(LoadCommonString(QLatin1String(key))));
        QString value = QStringLiteral("<none>");
        if (combo.currentIndex() >= 0)
            column->GetControlValue(&combo, value);
        return value;
    }

    QStringList Values(GoodsList which, const char* name)
    {
        auto* combo = dynamic_cast<CColumnDataStaticCombo*>(Column(which, name));
        combo->ReadCandidate(nullptr);
        QStringList values;
        for (const CRecord* row : combo->Candidates())
            values << row->value(0);
        return values;
    }

    CGoodsColumnLists m_lists;
};

TEST_F(GoodsStaticChoicesTest, YesAndNoStoreWhatEachColumnMeans)
{
    EXPECT_EQ(Stored(GoodsList::ItemParm, "NONPOINTFLG", "CRDS_PR_ITEM_YESNO_YES"), "0");
    EXPECT_EQ(Stored(GoodsList::ItemParm, "NONPOINTFLG", "CRDS_PR_ITEM_YESNO_NO"), "1");
    EXPECT_EQ(Stored(GoodsList::ItemParm, "COMMISSION1", "CRDS_PR_ITEM_YESNO_YES"), "1");
    EXPECT_EQ(Stored(GoodsList::ItemParmCleaning, "SELECTIVEITEM10", "CRDS_PR_ITEM_YESNO_YES"),
              "1");
    EXPECT_EQ(Stored(GoodsList::Plu, "UNUSABLEFLG", "CRDS_PR_ITEM_UNUSABLEFLG_UNUSABLE"), "1");
    EXPECT_EQ(Stored(GoodsList::PluRestaurant, "SETMAINFLG", "CRDS_PR_CLMN_SETMAINITEM_YES"), "1");
    auto* hash = dynamic_cast<CColumnDataYesNoRadio*>(Column(GoodsList::ItemParm, "HASHITEMFLG"));
    auto* service =
        dynamic_cast<CColumnDataYesNoRadio*>(Column(GoodsList::ItemParm, "NONSRVCHARGEFLG"));
    ASSERT_TRUE(hash && service);
    EXPECT_EQ(hash->YesValue(), "1");
    EXPECT_EQ(service->YesValue(), "0");
}

TEST_F(GoodsStaticChoicesTest, ValuesInComboOrder)
{
    QStringList orders;
    for (int n = 0; n <= 15; ++n)
        orders << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    EXPECT_EQ(Values(GoodsList::ItemParm, "ORDER1"), orders);
    EXPECT_EQ(Stored(GoodsList::ItemParm, "ORDER5", "CRDS_PR_ITEM_ORDER_NAME07"), "07");
    EXPECT_EQ(Values(GoodsList::ItemParm, "ITEMTYPE"), (QStringList{"0", "1", "2", "4"}));
    EXPECT_EQ(Values(GoodsList::ItemParmCleaning, "SELECTIVEITEM9"),
              (QStringList{"1", "2", "3", "4", "0"}));
    EXPECT_EQ(Values(GoodsList::MixMatch, "MMDISCOUNTTYPE"), (QStringList{"0", "2", "3"}));
    EXPECT_EQ(Values(GoodsList::SetMenu, "SETTYPE").size(), 3);
    EXPECT_EQ(Values(GoodsList::SetMenuRestaurant, "SETTYPE").size(), 6);
    EXPECT_EQ(Values(GoodsList::MixMatch, "CONDITIONTYPE").size(), 10);
}

TEST_F(GoodsStaticChoicesTest, StoredTypesShowTheirTexts)
{
    const QString oes = LoadCommonString(QStringLiteral("CRDS_PR_ITEM_OESMESSAGEPLU"));
    ASSERT_FALSE(oes.isEmpty());
    EXPECT_EQ(Column(GoodsList::ItemParm, "ITEMTYPE")->GetDescript(QStringLiteral("4")), oes);
    auto* radio =
        dynamic_cast<CColumnDataUniqueRadio*>(Column(GoodsList::ItemParmCleaning, "ITEMTYPE"));
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->m_nRadioCount, 3);
    EXPECT_EQ(radio->GetDescript(QStringLiteral("2")),
              LoadCommonString(QStringLiteral("CRDS_PR_ITEM_PREPARATION")));
}

// Every key a list shows, composed ones included, has a text, so no title
// or choice shows a bare key.
TEST_F(GoodsStaticChoicesTest, EveryKeyOfTheListsHasAText)
{
    CResourceLangDatas texts;
    ASSERT_TRUE(texts.LoadDocumentFile(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    auto hasText = [&](const QString& key) {
        return !texts.LoadResString(QStringLiteral("Brelkin"), key).isEmpty() ||
               !texts.LoadResString(QStringLiteral("Sarvik"), key).isEmpty();
    };
    QStringList keys{"CRDS_CMN_ERR_EXIST_FAILED", "CRDS_PR_ITEM_TAX00"};
    for (int l = 0; l < int(GoodsList::Count); ++l) {
        CColumnDataList* list = m_lists.Get(GoodsList(l));
        for (int i = 0; i < list->m_nColumnCount; ++i) {
            CColumnData* column = list->m_ppColumnData[i];
            keys << column->m_strLabelKey;
            if (auto* combo = dynamic_cast<CColumnDataStaticCombo*>(column))
                for (int k = 0; k < combo->m_nItemCount; ++k)
                    keys << QLatin1String(combo->m_pItems[k].pszKey);
            if (auto* radio = dynamic_cast<CColumnDataUniqueRadio*>(column))
                for (const char* const* key = radio->m_ppLabelKeys; *key; ++key)
                    keys << QLatin1String(*key);
        }
    }
    keys.removeAll(QString());
    keys.removeDuplicates();
    EXPECT_GT(keys.size(), 150);
    for (const QString& key : keys)
        EXPECT_TRUE(hasText(key)) << key.toStdString();
    EXPECT_FALSE(
        texts.LoadResString(QStringLiteral("Sarvik"), "CRDS_CMN_ERR_EXIST_FAILED").isEmpty());
}

} // namespace
