#include "KeyLayoutDbFixture.h"

#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/CKeyLayoutLoader.h"
#include "functions/keylayout/CSaveKeyLayout.h"

using namespace kesmond;

namespace {

// The fixture's layout loaded as the editor loads it, saved back.
class SaveKeyLayout : public KeyLayoutDbFixture
{
protected:
    void SetUp() override
    {
        KeyLayoutDbFixture::SetUp();
        Exec(
            QStringLiteral("INSERT INTO CSA005 (ITEMCODE, CODE) VALUES ('0000000000000123', '1')"));
        m_images = std::make_unique<CButtonStyleMgr>(m_db.get());
        m_loader = std::make_unique<CKeyLayoutLoader>(*m_db, m_images.get());
        for (const QStringList& row : Rows(QStringLiteral("CSB022"), KeyLayoutColumnNames(),
                                           QString(), QStringLiteral("rowid")))
            m_loader->AddRow(row);
    }
    void TearDown() override
    {
        m_loader.reset();
        m_images.reset();
    }

    bool Save(int& err)
    {
        return CSaveKeyLayout(m_db.get(), m_loader->m_sheetRows, m_loader->m_stripRows).Save(err);
    }
    CButtonProperty& Sheet(size_t i) { return *m_loader->m_sheetRows.at(i); }
    CButtonProperty& Tab(const char* code)
    {
        for (auto& row : m_loader->m_stripRows)
            if (row->m_strCode == QLatin1String(code))
                return *row;
        throw std::runtime_error("no tab");
    }
    // A style chosen in a dialog, handed to the cache.
    CImageDataCSB012* Chosen(const char* type, const char* code, const char* file)
    {
        auto record = new CImageDataCSB012(m_db.get());
        record->SetStyleImage(QLatin1String(type), QStringLiteral("Standard"), QLatin1String(code),
                              QLatin1String(file));
        m_images->ReplaceImage(record, nullptr);
        return record;
    }
    QByteArray Query(const QString& sql) { return korvane::test::Sqlite3(DbPath(), sql); }

    std::unique_ptr<CButtonStyleMgr> m_images;
    std::unique_ptr<CKeyLayoutLoader> m_loader;
};

} // namespace

TEST_F(SaveKeyLayout, WritesEveryPageWithItsKeysNumberedFromZero)
{
    // A key added in this run, and one of a sheet number without page.
    auto added = std::make_unique<CButtonProperty>(Sheet(1));
    added->m_strCode = QStringLiteral("0000000000000124");
    added->m_strLabel = QStringLiteral("It's new");
    added->m_nForeColor = int(0xFFA1A9B6u);
    m_loader->m_sheetRows.push_back(std::move(added));
    auto stray = std::make_unique<CButtonProperty>(Sheet(1));
    stray->m_nSheetNumber = 7;
    m_loader->m_sheetRows.push_back(std::move(stray));

    int err = -1;
    ASSERT_TRUE(Save(err));
    EXPECT_EQ(err, 0);
    EXPECT_EQ(Query(QStringLiteral(
                  "SELECT SHEETNUMBER, SHEETSEQCODE, CONTROLTYPE, CODE, LABEL, USECOORDINATE, "
                  "FOREGROUNDCOLOR, BGIMGTHEME IS NULL, FONTSIZE, REMARKS, CREATEDATETIME, "
                  "UPDATEDATETIME FROM CSB022 WHERE SHEETTYPE = 'ITEM' ORDER BY 1, 2")),
              QByteArray("1|0|ItemSheet|000001|Main|1|0|0|0|-|20240506070809|20240506070809\n"
                         "1|1|ItemButton|0000000000000123||1|-6182474|0|0|-|20240506070809|"
                         "20240506070809\n"
                         "1|2|ItemButton|0000000000000999||1|0|0|0|-|20240506070809|"
                         "20240506070809\n"
                         "1|3|FunctionButton|000001||1|0|0|0|-|20240506070809|20240506070809\n"
                         "1|4|ItemSection|0|Bread|1|0|0|0|-|20240506070809|20240506070809\n"
                         "1|5|ItemButton|0000000000000124|It's new|1|-6182474|0|0|-|"
                         "20240506070809|20240506070809\n"
                         "2|0|ItemSheet|000002|Auto|1|0|0|0|-|20240506070809|20240506070809\n"));
    // Style and strip rows are left alone, and so is an unchanged tab.
    EXPECT_EQ(Query(QStringLiteral("SELECT count(*), count(UPDATEDATETIME) FROM CSB022 WHERE "
                                   "SHEETTYPE <> 'ITEM'")),
              QByteArray("6|0\n"));
    // Nothing was marked changed: no image, link or CSB003 stamp moved.
    EXPECT_EQ(Query(QStringLiteral("SELECT count(*) FROM CSB012 WHERE UPDATEDATETIME <> 'old'")),
              QByteArray("0\n"));
    EXPECT_EQ(Query(QStringLiteral("SELECT ITEMCODE, CODE FROM CSA005")),
              QByteArray("0000000000000123|1\n"));
}

TEST_F(SaveKeyLayout, ChangedImagesLinksAndTabs)
{
    // The item back on the default background; the deleted item's key with a style.
    Sheet(1).m_pBackImage = Chosen("ItemButton.Background.9", "0", "key0.png");
    Sheet(2).m_pBackImage = Chosen("ItemButton.Background.9", "1", "key1.png");
    // A function key with a chosen style gets a row under its own code.
    Sheet(3).m_pBackImage = Chosen("FunctionButton", "0", "fn0.png");
    // An item picture.
    const QString picture = m_folders.scratch() + QStringLiteral("/p.png");
    ASSERT_TRUE(korvane::test::writeFile(picture, Png(Qt::magenta, 60)));
    auto imported = new CImageDataCSB012(m_db.get());
    imported->ImportItemPicture(picture, Sheet(1).m_strCode, QStringLiteral("p.png"));
    imported->m_bChanged = true;
    m_images->ReplaceImage(imported, nullptr);
    Sheet(1).m_pItemImage = imported;
    // Tab 000001 linked to a department; tab 000002 cleared; 000002 restyled.
    Tab("000001").m_strMenuDeptLink = QStringLiteral("000001");
    Tab("000001").m_strMenuType = QStringLiteral("1");
    Tab("000001").m_strMenuLayout = QStringLiteral("3");
    Tab("000002").m_strMenuType = QStringLiteral("1");
    Tab("000002").m_strMenuDeptLink = QStringLiteral("0");
    Tab("000002").m_strMenuLayout.clear();
    Tab("000002").m_pBackImage = m_images->FindImage(
        QStringLiteral("ItemButton.Background.9"), QStringLiteral("Standard"), QStringLiteral("1"));
    Tab("000002").m_nBackColor = int(0xFFA1A9B6u);

    int err = -1;
    ASSERT_TRUE(Save(err)) << err;
    EXPECT_EQ(Query(QStringLiteral("SELECT ITEMCODE, CONTROLTYPE, THEME, CODE, CREATEDATETIME "
                                   "FROM CSA005 ORDER BY 1")),
              QByteArray("0000000000000999|ItemButton.Background.9||1|20240506070809\n"));
    EXPECT_EQ(
        Query(QStringLiteral("SELECT a.FILENAME, a.GRAPHICDATA = b.GRAPHICDATA, a.NINEPATCHCHUNK = "
                             "b.NINEPATCHCHUNK, a.UPDATEDATETIME FROM CSB012 a, CSB012 b WHERE "
                             "a.CONTROLTYPE = 'FunctionButton' AND a.CODE = '000001' AND "
                             "b.CONTROLTYPE = 'FunctionButton' AND b.CODE = '0'")),
        QByteArray("fn0.png|1|1|20240506070809\n"));
    QImage stored;
    const QByteArray hex = Query(QStringLiteral(
        "SELECT hex(GRAPHICDATA) FROM CSB012 WHERE CONTROLTYPE = 'ItemButton' AND "
        "THEME = 'Standard' AND CODE = '0000000000000123' AND NINEPATCHCHUNK IS NULL"));
    ASSERT_TRUE(stored.loadFromData(QByteArray::fromHex(hex.trimmed())));
    EXPECT_EQ(stored.size(), QSize(60, 60));
    EXPECT_EQ(Query(QStringLiteral("SELECT FUNCKEYCODE, FUNCSETCODE, VALUE, UPDATEDATETIME FROM "
                                   "CSB003 ORDER BY 1, 2")),
              QByteArray("000001|MENU.DEPTLINK|000001|20240506070809\n"
                         "000001|MENU.LAYOUT|3|20240506070809\n"
                         "000002|MENU.DEPTLINK|0|old\n"
                         "000002|MENU.TYPE|1|old\n"));
    EXPECT_EQ(Query(QStringLiteral("SELECT CODE, BACKGROUNDCOLOR, BGIMGCONTROLTYPE, BGIMGCODE, "
                                   "UPDATEDATETIME FROM CSB022 WHERE CONTROLTYPE = 'Normal' "
                                   "ORDER BY 1")),
              QByteArray("000001|0|ItemSheetSelection.Normal|0|\n"
                         "000002|-6182474|ItemButton.Background.9|1|20240506070809\n"));
}

TEST_F(SaveKeyLayout, RecordsWithoutImageFilesOrTabImagesSaveNoBytes)
{
    Exec(QStringLiteral("INSERT INTO CSB012 VALUES ('FunctionButton', 'Standard', '9', 'e.png', "
                        "x'', NULL, 'old', 'old')"));
    Sheet(3).m_pBackImage = Chosen("FunctionButton", "9", "e.png");
    EXPECT_EQ(Sheet(3).m_pBackImage->m_strImageFile, QString());
    Tab("000001").m_pBackImage = nullptr;
    int err = -1;
    ASSERT_TRUE(Save(err)) << err;
    EXPECT_EQ(Query(QStringLiteral("SELECT FILENAME, GRAPHICDATA IS NULL, NINEPATCHCHUNK IS NULL "
                                   "FROM CSB012 WHERE CODE = '000001'")),
              QByteArray("e.png|1|1\n"));
}

// A trigger fails one kind of write; the save reports its code and leaves
// the database as it was.
TEST_F(SaveKeyLayout, AnyFailedWriteLeavesTheDatabaseAsItWas)
{
    Sheet(1).m_pBackImage = Chosen("ItemButton.Background.9", "0", "key0.png");
    Sheet(2).m_pBackImage = Chosen("ItemButton.Background.9", "1", "key1.png");
    Sheet(3).m_pBackImage = Chosen("FunctionButton", "0", "fn0.png");
    Tab("000001").m_strMenuDeptLink = QStringLiteral("000001");
    Tab("000002").m_strMenuType = QStringLiteral("1");
    Tab("000002").m_strMenuLayout.clear();
    Tab("000002").m_pBackImage = Sheet(2).m_pBackImage;

    const char* const triggers[] = {
        "BEFORE DELETE ON CSB022", "BEFORE INSERT ON CSB022",
        "BEFORE INSERT ON CSB012", "BEFORE DELETE ON CSA005",
        "BEFORE INSERT ON CSA005", "BEFORE UPDATE ON CSB003 WHEN OLD.FUNCSETCODE = 'MENU.TYPE'",
        "BEFORE INSERT ON CSB003", "BEFORE DELETE ON CSB003",
        "BEFORE UPDATE ON CSB022",
    };
    for (const char* trigger : triggers) {
        Exec(QStringLiteral("CREATE TRIGGER fail %1 BEGIN SELECT RAISE(ABORT, 'no'); END")
                 .arg(QLatin1String(trigger)));
        const QByteArray before = Query(QStringLiteral(".dump"));
        int err = 0;
        EXPECT_FALSE(Save(err)) << trigger;
        EXPECT_EQ(err, 19) << trigger; // SQLITE_CONSTRAINT, the trigger's abort
        EXPECT_EQ(Query(QStringLiteral(".dump")), before) << trigger;
        Exec(QStringLiteral("DROP TRIGGER fail"));
    }
    int err = -1;
    EXPECT_TRUE(Save(err)) << err;
}
