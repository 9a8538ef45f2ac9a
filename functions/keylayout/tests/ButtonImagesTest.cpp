#include "KeyLayoutDbFixture.h"

#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/ImageFileName.h"

#include <QDirIterator>
#include <QPainter>
#include <QtEndian>

using namespace kesmond;

namespace {

class ButtonImages : public KeyLayoutDbFixture
{
protected:
    void SetUp() override
    {
        KeyLayoutDbFixture::SetUp();
        CImageDataCSB012::SetRetryWait([](int) {});
    }
    void TearDown() override { CImageDataCSB012::SetRetryWait({}); }

    // Files in the image folder.
    int ImageFileCount() const { return int(QDir(ImageFolder()).entryList(QDir::Files).size()); }

    CImageDataCSB012* Record(CButtonStyleMgr& images, const char* type, const char* code,
                             const char* theme = "Standard")
    {
        for (CImageDataCSB012* record : images.Cache())
            if (record->m_strControlType == QLatin1String(type) &&
                record->m_strCode == QLatin1String(code) &&
                record->m_strTheme == QLatin1String(theme))
                return record;
        return nullptr;
    }
};

quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray Chunk(const char* type, const QByteArray& data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(data.size()), chunk.data());
    const QByteArray body = QByteArray(type) + data;
    QByteArray crc(4, '\0');
    qToBigEndian(Crc32(body), crc.data());
    return chunk + body + crc;
}

// A valid PNG header that claims 100,000 x 100,000 pixels.
QByteArray HugePng()
{
    QByteArray header(13, '\0');
    qToBigEndian(quint32(100000), header.data());
    qToBigEndian(quint32(100000), header.data() + 4);
    header[8] = 8; // bit depth
    header[9] = 2; // RGB
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) + Chunk("IEND", {});
}

// A record whose deletion is counted.
struct CountedRecord : CImageDataCSB012
{
    explicit CountedRecord(int& deleted) : CImageDataCSB012(nullptr), m_deleted(deleted) {}
    ~CountedRecord() override { ++m_deleted; }
    int& m_deleted;
};

} // namespace

TEST_F(ButtonImages, StyleImagesOfCodesBelow15AreExtractedAtStart)
{
    CButtonStyleMgr images(m_db.get());
    ASSERT_EQ(images.Cache().size(), 6u);
    for (const char* code : {"0", "1"}) {
        CImageDataCSB012* record = Record(images, "ItemButton.Background.9", code);
        ASSERT_TRUE(record);
        EXPECT_TRUE(record->m_bResident);
        EXPECT_TRUE(QFileInfo(record->m_strImageFile).isFile());
        EXPECT_EQ(QFileInfo(record->m_strImageFile).path(), ImageFolder());
        EXPECT_TRUE(record->m_strImageFile.endsWith(QLatin1String(".png")));
        EXPECT_TRUE(QFileInfo(record->m_strChunkFile).isFile());
    }
    EXPECT_TRUE(Record(images, "ItemSheet.Background.9", "14")->m_bResident);
    // Code 15 and the tab images wait for their first use.
    CImageDataCSB012* later = Record(images, "ItemButton.Background.9", "15");
    EXPECT_FALSE(later->m_bResident);
    EXPECT_EQ(later->m_strImageFile, QString());
    EXPECT_EQ(Record(images, "ItemSheetSelection.Normal", "0")->m_strImageFile, QString());
    EXPECT_EQ(ImageFileCount(), 8); // 4 images, 4 chunks
    EXPECT_EQ(images.FindImage(QStringLiteral("ItemButton.Background.9"),
                               QStringLiteral("Standard"), QStringLiteral("15")),
              later);
    EXPECT_FALSE(later->m_strImageFile.isEmpty());
    EXPECT_EQ(later->EnsureImageLoaded().pixelColor(0, 0), QColor(Qt::red));
}

TEST_F(ButtonImages, FindImageRules)
{
    Exec(QStringLiteral("INSERT INTO CSA005 (ITEMCODE, CODE) VALUES ('0000000000000777', '1')"));
    Exec(QStringLiteral("INSERT INTO CSA005 (ITEMCODE, CODE) VALUES ('0000000000000778', '')"));
    CButtonStyleMgr images(m_db.get());
    auto find = [&](const char* type, const char* code) {
        CImageDataCSB012* record =
            images.FindImage(QLatin1String(type), QStringLiteral("Standard"), QLatin1String(code));
        return record ? record->m_strControlType + QLatin1Char(':') + record->m_strCode
                      : QStringLiteral("none");
    };
    EXPECT_EQ(find("ItemButton.Background.9", "0000000000000777"),
              QStringLiteral("ItemButton.Background.9:1"));
    EXPECT_EQ(find("ItemButton.Background.9", "0000000000000778"), // empty CODE
              QStringLiteral("ItemButton.Background.9:0"));
    EXPECT_EQ(find("ItemButton.Background.9", "0000000000000123"), // no row
              QStringLiteral("ItemButton.Background.9:0"));
    EXPECT_EQ(find("ItemButton.Background.9", ""), QStringLiteral("ItemButton.Background.9:0"));
    EXPECT_EQ(find("ItemButton.Background.9", "1"), QStringLiteral("ItemButton.Background.9:1"));
    EXPECT_EQ(find("FunctionButton", "000001"), QStringLiteral("FunctionButton:0"));
    EXPECT_EQ(find("ItemButton", "0000000000000123"), QStringLiteral("none"));
    EXPECT_EQ(find("ItemSheet.Background.9", "3"), QStringLiteral("none"));

    const KeyStyle style = images.GetDefaultKeyStyle();
    EXPECT_EQ(style.image, Record(images, "ItemButton.Background.9", "0"));
    EXPECT_EQ(style.foreColor, 1);
    EXPECT_EQ(style.optionColor, 3);
    const KeyStyle section =
        images.GetStyleColours(QStringLiteral("ItemSection"), QStringLiteral("0"));
    EXPECT_EQ(section.foreColor, int(0xFFA1A9B6u));
    EXPECT_EQ(images.GetStyleColours(QStringLiteral("NOSUCH"), QStringLiteral("0")).backColor,
              0xFFFFFF);
}

TEST_F(ButtonImages, TwoThemesOfOneCodeKeepTheirOwnBytes)
{
    AddImage("ItemButton.Background.9", "5", "dark.png", Qt::black, "Dark");
    AddImage("ItemButton.Background.9", "5", "light.png", Qt::white);
    CButtonStyleMgr images(m_db.get());
    EXPECT_EQ(Record(images, "ItemButton.Background.9", "5", "Dark")
                  ->EnsureImageLoaded()
                  .pixelColor(0, 0),
              QColor(Qt::black));
    EXPECT_EQ(Record(images, "ItemButton.Background.9", "5")->EnsureImageLoaded().pixelColor(0, 0),
              QColor(Qt::white));
}

TEST(ImageFileNames, CounterAndExtension)
{
    const QDateTime time(QDate(2024, 5, 6), QTime(7, 8, 9, 12), Qt::UTC);
    int counter = 0;
    EXPECT_EQ(MakeImageFileName(counter, time), QStringLiteral("202405060708091201"));
    EXPECT_EQ(MakeImageFileName(counter, time), QStringLiteral("202405060708091202"));
    counter = 98;
    EXPECT_EQ(MakeImageFileName(counter, time), QStringLiteral("202405060708091299"));
    EXPECT_EQ(MakeImageFileName(counter, time), QStringLiteral("202405060708091200"));

    const char* const cases[][2] = {
        {"a.png", ".png"},
        {"dir\\b.PNG", ".PNG"},
        {"a.png/../../../tmp/x", ""},
        {"..\\..\\x.bmp", ".bmp"},
        {"x.abcdefghi", ""},
        {"x.p-g", ""},
        {"x.png ", ""},
        {"noext", ""},
        {"x.", ""},
        {"x.jpeg", ".jpeg"},
        {"x.tar/y", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImageFileExtension(QString::fromUtf8(c[0])), QString::fromUtf8(c[1])) << c[0];
}

TEST_F(ButtonImages, NamesAreNeverUsedTwice)
{
    int counter = 0;
    QStringList bases;
    for (int i = 0; i < 150; ++i) {
        bases << NewImageFileBase(ImageFolder(), counter, QStringLiteral(".png"));
        ASSERT_TRUE(testing::Test::HasFailure() ||
                    korvane::test::writeFile(bases.last() + QStringLiteral(".png"), "x"));
    }
    bases.removeDuplicates();
    EXPECT_EQ(bases.size(), 150);
    // An image stored as ".dat" does not share its file with its chunk.
    const QString base = NewImageFileBase(ImageFolder(), counter, QStringLiteral(".dat"));
    EXPECT_NE(ChunkFilePath(base, QStringLiteral(".dat")), base + QStringLiteral(".dat"));
}

TEST_F(ButtonImages, HostileFileNamesAndPicturesStayHarmless)
{
    AddImage("ItemButton.Background.9", "2", "a.png/../../../tmp/x", Qt::blue);
    Exec(QStringLiteral("INSERT INTO CSB012 VALUES ('ItemButton.Background.9', 'Standard', '3', "
                        "'huge.png', x'%1', NULL, '', '')")
             .arg(QString::fromLatin1(HugePng().toHex())));
    CButtonStyleMgr images(m_db.get());
    CImageDataCSB012* escaped = Record(images, "ItemButton.Background.9", "2");
    EXPECT_EQ(QFileInfo(escaped->m_strImageFile).path(), ImageFolder());
    EXPECT_FALSE(escaped->EnsureImageLoaded().isNull());
    CImageDataCSB012* huge = Record(images, "ItemButton.Background.9", "3");
    EXPECT_FALSE(huge->m_strImageFile.isEmpty());
    EXPECT_EQ(huge->m_strChunkFile, QString()); // NULL chunk: no file
    EXPECT_TRUE(huge->EnsureImageLoaded().isNull());

    // Imported: the copy stays, no picture is made of it.
    const QString source = m_folders.scratch() + QStringLiteral("/huge.png");
    ASSERT_TRUE(korvane::test::writeFile(source, HugePng()));
    CImageDataCSB012 imported(m_db.get());
    imported.ImportItemPicture(source, QStringLiteral("0000000000000123"),
                               QStringLiteral("huge.png"));
    EXPECT_TRUE(imported.EnsureImageLoaded().isNull());
}

TEST_F(ButtonImages, ImportedPicturesAreTheirCentredSquare)
{
    struct Case
    {
        QSize size;
        int side;
        const char* file;
    } cases[] = {
        {{400, 300}, 150, "wide.png"}, {{120, 80}, 80, "small.jpg"}, {{90, 200}, 90, "tall.bmp"}};
    for (const Case& c : cases) {
        // Green where the centred square is, red outside it.
        QImage picture(c.size, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const int side = std::min(c.size.width(), c.size.height());
        QPainter(&picture).fillRect(
            QRect((c.size.width() - side) / 2, (c.size.height() - side) / 2, side, side),
            Qt::green);
        const QString source = m_folders.scratch() + QLatin1Char('/') + QLatin1String(c.file);
        ASSERT_TRUE(picture.save(source));
        CImageDataCSB012 record(m_db.get());
        record.ImportItemPicture(source, QStringLiteral("0000000000000123"), QLatin1String(c.file));
        EXPECT_EQ(record.m_strControlType, QStringLiteral("ItemButton"));
        EXPECT_EQ(record.m_strTheme, QStringLiteral("Standard"));
        EXPECT_EQ(QFileInfo(record.m_strImageFile).path(), ImageFolder());
        const QImage& stored = record.EnsureImageLoaded();
        EXPECT_EQ(stored.size(), QSize(c.side, c.side)) << c.file;
        QImage saved;
        ASSERT_TRUE(saved.load(record.m_strImageFile)) << c.file;
        EXPECT_EQ(saved.size(), QSize(c.side, c.side)) << c.file;
        for (const QPoint corner : {QPoint(0, 0), QPoint(c.side - 1, c.side - 1)}) {
            const QColor colour = saved.pixelColor(corner);
            EXPECT_GT(colour.green(), 200) << c.file;
            EXPECT_LT(colour.red(), 60) << c.file;
        }
    }
    // A picture that cannot be copied leaves the record without file.
    CImageDataCSB012 missing(m_db.get());
    missing.ImportItemPicture(m_folders.scratch() + QStringLiteral("/none.png"),
                              QStringLiteral("1"), QStringLiteral("none.png"));
    EXPECT_EQ(missing.m_strImageFile, QString());
}

// Each sequence of hand-overs (every record is handed over at least once)
// ends with every record deleted exactly once.
TEST(ButtonStyleCache, EveryRecordIsDeletedOnce)
{
    enum Op { Replace, Release };
    struct Step
    {
        Op op;
        int record, old; // indices; -1 = none
    };
    struct Case
    {
        const char* name;
        std::vector<bool> resident;
        std::vector<Step> steps;
    } cases[] = {
        {"listed without old", {false}, {{Replace, 0, -1}}},
        {"resident new, no old", {true}, {{Replace, 0, -1}}},
        {"over a resident old",
         {true, false},
         {{Replace, 0, -1}, {Replace, 1, 0}, {Replace, 1, 0}}},
        {"over a listed old",
         {false, false},
         {{Replace, 0, -1}, {Replace, 1, 0}, {Release, 0, -1}}},
        {"old not listed", {false, false}, {{Replace, 1, 0}, {Release, 0, -1}}},
        {"released twice", {false}, {{Release, 0, -1}, {Release, 0, -1}}},
        {"listed and released",
         {false, false},
         {{Replace, 0, -1}, {Release, 0, -1}, {Replace, 1, 0}, {Release, 1, -1}, {Release, 0, -1}}},
        {"replaced by itself", {false}, {{Replace, 0, -1}, {Replace, 0, 0}}},
    };
    for (const Case& c : cases) {
        int deleted = 0;
        {
            CButtonStyleMgr images(nullptr);
            std::vector<CImageDataCSB012*> records;
            for (const bool resident : c.resident) {
                records.push_back(new CountedRecord(deleted));
                records.back()->m_bResident = resident;
            }
            for (const Step& step : c.steps) {
                CImageDataCSB012* old = step.old < 0 ? nullptr : records[size_t(step.old)];
                if (step.op == Replace)
                    images.ReplaceImage(records[size_t(step.record)], old);
                else
                    images.Release(records[size_t(step.record)]);
            }
        }
        EXPECT_EQ(deleted, int(c.resident.size())) << c.name;
    }
}

TEST(ButtonStyleCache, ReplaceRules)
{
    CButtonStyleMgr images(nullptr);
    auto a = new CImageDataCSB012(nullptr);
    auto b = new CImageDataCSB012(nullptr);
    auto resident = new CImageDataCSB012(nullptr);
    resident->m_bResident = true;
    images.ReplaceImage(resident, nullptr); // resident: owned, not listed
    EXPECT_TRUE(images.Cache().empty());
    images.ReplaceImage(a, nullptr);
    images.ReplaceImage(b, a); // b takes a's place
    EXPECT_EQ(images.Cache(), std::vector<CImageDataCSB012*>{b});
    images.ReplaceImage(b, resident); // already listed: not twice
    EXPECT_EQ(images.Cache(), std::vector<CImageDataCSB012*>{b});
    images.Release(a);
    images.Release(a);
    EXPECT_EQ(images.Released(), std::vector<CImageDataCSB012*>{a});
}
