#include "KeyLayoutDbFixture.h"

#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CFcKeyLayCSB023.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/CKeyLayoutLoader.h"
#include "functions/keylayout/CKeyLayoutReads.h"
#include "functions/keylayout/KeyLayoutColour.h"

using namespace kesmond;

namespace {

class KeyLayoutModel : public KeyLayoutDbFixture
{
protected:
    // Every CSB022 row in the key-layout column list's order.
    void Load(CKeyLayoutLoader& loader)
    {
        const QList<QStringList> rows = Rows(QStringLiteral("CSB022"), KeyLayoutColumnNames(),
                                             QString(), QStringLiteral("rowid"));
        for (const QStringList& row : rows)
            loader.AddRow(row);
    }
};

} // namespace

TEST_F(KeyLayoutModel, LoadingMakesSheetAndStripRecords)
{
    CButtonStyleMgr images(m_db.get());
    CKeyLayoutLoader loader(*m_db, &images);
    Load(loader);

    ASSERT_EQ(loader.m_sheetRows.size(), 6u); // style rows are skipped
    ASSERT_EQ(loader.m_stripRows.size(), 4u);
    EXPECT_EQ(loader.m_pages, (std::vector<std::pair<QString, QString>>{
                                  {QStringLiteral("1"), QStringLiteral("000001")},
                                  {QStringLiteral("2"), QStringLiteral("000002")}}));
    EXPECT_EQ(loader.m_pageRect, QRect(0, 60, 800, 420));
    EXPECT_EQ(loader.m_stripRect, QRect(0, 490, 800, 60));
    EXPECT_EQ(loader.m_nStripColor, -1);
    EXPECT_EQ(loader.m_nLastStripPage, 1);

    const CButtonProperty& item = *loader.m_sheetRows[1];
    EXPECT_EQ(item.m_strDispName, QStringLiteral("Croissant"));
    EXPECT_EQ(item.m_strPriceText, QStringLiteral("180"));
    EXPECT_EQ(item.m_nForeColor, int(0xFFA1A9B6u));
    EXPECT_EQ(item.m_nBackColor, 0xFFFFFF);
    EXPECT_EQ(item.m_nImageFlag, 1);
    ASSERT_TRUE(item.m_pBackImage);
    EXPECT_EQ(item.m_pBackImage->m_strCode, QStringLiteral("0")); // no CSA005 row
    EXPECT_EQ(item.m_pItemImage, nullptr);

    // The key of a deleted item keeps its code and shows no name or price.
    const CButtonProperty& gone = *loader.m_sheetRows[2];
    EXPECT_EQ(gone.m_strCode, QStringLiteral("0000000000000999"));
    EXPECT_EQ(gone.m_strDispName, QString());
    EXPECT_EQ(gone.m_strPriceText, QString());

    const CButtonProperty& function = *loader.m_sheetRows[3];
    EXPECT_EQ(function.m_strDispName, QStringLiteral("CASH"));
    EXPECT_EQ(function.GetLabelText(), QStringLiteral("CASH"));
    ASSERT_TRUE(function.m_pBackImage); // no key image of its own: the default
    EXPECT_EQ(function.m_pBackImage->m_strCode, QStringLiteral("0"));
    EXPECT_EQ(loader.m_sheetRows[4]->GetLabelText(), QStringLiteral("Bread"));

    // A custom page without CSB003 rows; an automatic page on a department.
    const CButtonProperty& custom = *loader.m_stripRows[1];
    EXPECT_EQ(custom.m_strMenuType, QStringLiteral("1"));
    EXPECT_EQ(custom.m_strMenuDeptLink, QStringLiteral("0"));
    EXPECT_EQ(custom.m_strMenuLayout, QStringLiteral("1"));
    EXPECT_EQ(custom.m_strLabel, QStringLiteral("Main"));
    EXPECT_EQ(custom.m_strDispName, QString());
    EXPECT_EQ(custom.m_nPageArrange, 1);
    ASSERT_TRUE(custom.m_pBackImage);
    EXPECT_EQ(custom.m_pBackImage->m_strFileName,
              QStringLiteral("ItemSheetSelection.Normal.9.png"));
    const CButtonProperty& automatic = *loader.m_stripRows[2];
    EXPECT_EQ(automatic.m_strDispName, QStringLiteral("Bakery"));
    EXPECT_EQ(automatic.m_strLabel, QStringLiteral("Auto"));
    EXPECT_EQ(automatic.m_nPageArrange, 0);
    EXPECT_EQ(automatic.m_strMenuDeptLink, QStringLiteral("000001"));
    EXPECT_EQ(automatic.m_strMenuLayout, QStringLiteral("2"));
    // Strip rows that are not tabs read no menu settings.
    EXPECT_EQ(loader.m_stripRows[0]->m_strMenuType, QString());
}

TEST_F(KeyLayoutModel, Reads)
{
    CKeyLayoutReads reads(*m_db);
    SheetStyle style;
    ASSERT_TRUE(reads.ReadSheetStyleRow(QStringLiteral("DEFAULTITEMBUTTON"), 0, style));
    EXPECT_EQ(style.controlType, QStringLiteral("ItemButton.Background.9"));
    EXPECT_EQ(style.backColor, 2);
    // A tab style that is missing is the function-key style of its number.
    ASSERT_TRUE(
        reads.ReadSheetStyleRow(QStringLiteral("DEFAULTITEMSHEETSELECTIONNORMAL"), 3, style));
    EXPECT_EQ(style.code, QStringLiteral("3"));
    EXPECT_EQ(style.foreColor, 4);
    EXPECT_FALSE(reads.ReadSheetStyleRow(QStringLiteral("DEFAULTITEMBUTTON"), 3, style));

    EXPECT_EQ(reads.ReadSheetNumber(QStringLiteral("000002")), QStringLiteral("2"));
    EXPECT_EQ(reads.ReadSheetNumber(QStringLiteral("000009")), QStringLiteral("0"));
    QString name = QStringLiteral("x");
    EXPECT_TRUE(reads.ReadFuncKeyName(QString(), name));
    EXPECT_EQ(name, QString());
    QString file;
    EXPECT_TRUE(
        reads.ReadImageFileName(QStringLiteral("FunctionButton"), QStringLiteral("0"), file));
    EXPECT_EQ(file, QStringLiteral("fn0.png"));
    // Values are bound: a quote in a code is just a character.
    EXPECT_FALSE(reads.ReadDeptName(QStringLiteral("' OR '1'='1"), name));
    const PageMenuSettings none = reads.ReadPageMenuSettings(QStringLiteral("' OR ''='"));
    EXPECT_EQ(none.type + none.deptLink + none.layout, QStringLiteral("101"));
}

TEST_F(KeyLayoutModel, GeometryAndPresets)
{
    CFcKeyLayCSB023 geometry;
    int err = -1;
    ASSERT_TRUE(geometry.Read(*m_db, err));
    EXPECT_EQ(geometry.KeySize(0), QSize(127, 68));
    EXPECT_EQ(geometry.KeyLabel(0), QStringLiteral("Big"));
    EXPECT_EQ(geometry.SectionSize(1), QSize(0, 30));
    EXPECT_EQ(geometry.AutoLayoutValue(0), QStringLiteral("12"));
    geometry.SetSheetRect(QRect(0, 60, 800, 420));
    EXPECT_EQ(geometry.Preset(0), QSize(6, 5));
    // Without sizes: as many columns as pixels, a third of the height in rows.
    EXPECT_EQ(geometry.Preset(1), QSize(800, 140));
    EXPECT_EQ(geometry.FindPreset(6, 5), 0);
    EXPECT_EQ(geometry.FindPreset(800, 140), 1);
    EXPECT_EQ(geometry.FindPreset(7, 5), -1);
}

TEST(KeyLayoutGeometry, SizesBelowZeroCountAsZero)
{
    CFcKeyLayCSB023 geometry;
    geometry.SetValue(QStringLiteral("ITEMBUTTON.1.WIDTH"), QStringLiteral("-1"));
    geometry.SetValue(QStringLiteral("ITEMBUTTON.1.HEIGHT"), QStringLiteral("-3"));
    geometry.SetValue(QStringLiteral("ITEMBUTTON.2.WIDTH"), QStringLiteral("-7"));
    geometry.SetValue(QStringLiteral("ITEMBUTTON.2.HEIGHT"), QStringLiteral("abc"));
    geometry.SetValue(QStringLiteral("ITEMBUTTON.5.WIDTH"), QStringLiteral("9")); // ignored
    geometry.SetValue(QStringLiteral("ITEMBUTTON.3.WIDTH"), QStringLiteral("9"));
    geometry.SetValue(QStringLiteral("ITEMBUTTON.3.WIDTH"), QStringLiteral("19")); // later wins
    geometry.SetSheetRect(QRect(0, 0, 800, 420));
    EXPECT_EQ(geometry.Preset(0), QSize(800, 140));
    EXPECT_EQ(geometry.Preset(1), QSize(800, 140));
    EXPECT_EQ(geometry.Preset(2), QSize(40, 140));
}

TEST(KeyLayoutColour, DatabaseColours)
{
    EXPECT_EQ(ColourToDbText(int(0xFFA1A9B6u)), QStringLiteral("-6182474"));
    EXPECT_EQ(ColourFromDb(int(0xFFA1A9B6u)), QColor(161, 169, 182));
    EXPECT_EQ(ColourFromDb(-1), QColor(Qt::white));
    EXPECT_EQ(ColourFromDb(-2), QColor(255, 255, 254));
    EXPECT_EQ(ColourFromDb(0x123456), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(ColourFromText(QStringLiteral("-6182474")), int(0xFFA1A9B6u));
    EXPECT_EQ(ColourFromText(QStringLiteral("4288784822")), int(0xFFA1A9B6u));
    EXPECT_EQ(ColourFromText(QStringLiteral("")), 0);
}
