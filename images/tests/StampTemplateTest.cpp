// Stamp template files: the reader's checks on fixtures made here, the order
// of a folder's templates, and the templates the build ships.
#include "images/StampTemplate.h"

#include "testsupport/SuiteFixture.h"

#include <QDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

using namespace pellark;

// A picture of width x 2 whose pixel (x, y) has index (x + y) % colours.
QImage Indexed(int width, int colours)
{
    QImage image(width, 2, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table << qRgb(i * 7 % 256, 255 - i, i * 3 % 256);
    image.setColorTable(table);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint((x + y) % colours));
    return image;
}

QImage Rgb(int width)
{
    QImage image(width, 2, QImage::Format_RGB888);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 40, y * 100, 200 - x));
    return image;
}

void Put32(QByteArray& bytes, int at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// The BMP part starts after the head.
constexpr int kBmp = kStampTemplateHeadSize;

struct BadCase
{
    const char* name;
    std::function<void(QByteArray&)> spoil;
};

class StampTemplateTest : public testing::Test
{
protected:
    void SetUp() override { m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n"); }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_suite.programFolder() + QStringLiteral("/Template/LOGO/") + name;
        EXPECT_TRUE(korvane::test::writeFile(path, bytes));
        return path;
    }

    SuiteFixture m_suite;
};

TEST_F(StampTemplateTest, GoodTemplatesKeepTheirPixelsAndColours)
{
    for (const auto& [bits, picture] : {std::pair<int, QImage>{1, Indexed(9, 2)},
                                        {4, Indexed(5, 16)},
                                        {8, Indexed(3, 256)},
                                        {24, Rgb(5)}}) {
        SCOPED_TRACE(bits);
        const QString path =
            Write(QStringLiteral("good.dat"), MakeStampTemplate(picture, bits, "000"));
        QImage read;
        ASSERT_TRUE(ReadStampTemplate(path, QStringLiteral("000"), read));
        ASSERT_EQ(read.size(), picture.size());
        if (bits <= 8) {
            EXPECT_EQ(read.colorTable(), picture.colorTable());
        }
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < picture.width(); ++x)
                EXPECT_EQ(read.pixel(x, y), picture.pixel(x, y)) << x << "," << y;
    }
}

TEST_F(StampTemplateTest, SpoiltTemplatesAreSkippedSilently)
{
    const QByteArray good = MakeStampTemplate(Indexed(9, 2), 1, "000");
    const BadCase cases[] = {
        {"kind 001", [](QByteArray& b) { b[9] = '1'; }},
        {"head CSTAMQ", [](QByteArray& b) { b[5] = 'Q'; }},
        {"type BX", [](QByteArray& b) { b[kBmp + 1] = 'X'; }},
        {"offset 14", [](QByteArray& b) { Put32(b, kBmp + 10, 14); }},
        {"offset 15", [](QByteArray& b) { Put32(b, kBmp + 10, 15); }},
        {"offset 1079",
         [](QByteArray& b) {
             Put32(b, kBmp + 10, 1079);
             Put32(b, kBmp + 2, 1079 + 16);
             b.append(QByteArray(1079 + 16 - (b.size() - kBmp), '\0'));
         }},
        {"reserved word", [](QByteArray& b) { b[kBmp + 8] = 1; }},
        {"file shorter than its size", [](QByteArray& b) { b.chop(1); }},
        {"size short of the rows", [](QByteArray& b) { Put32(b, kBmp + 2, 62 + 4); }},
        {"size 0xFFFFFFF0", [](QByteArray& b) { Put32(b, kBmp + 2, 0xFFFFFFF0); }},
        {"information header of 12", [](QByteArray& b) { Put32(b, kBmp + 14, 12); }},
        {"depth 2", [](QByteArray& b) { b[kBmp + 28] = 2; }},
        {"compressed", [](QByteArray& b) { b[kBmp + 30] = 1; }},
        {"planes 2", [](QByteArray& b) { b[kBmp + 26] = 2; }},
        {"head cut", [](QByteArray& b) { b.truncate(100); }},
    };
    QDir().mkpath(m_suite.programFolder() + QStringLiteral("/Template/LOGO"));
    for (const BadCase& bad : cases) {
        SCOPED_TRACE(bad.name);
        QByteArray bytes = good;
        bad.spoil(bytes);
        const QString path = Write(QStringLiteral("bad.dat"), bytes);
        QImage read;
        EXPECT_FALSE(ReadStampTemplate(path, QStringLiteral("000"), read));
        EXPECT_TRUE(read.isNull());
        EXPECT_TRUE(LoadStampTemplates(QStringLiteral("/LOGO/"), QStringLiteral("000")).isEmpty());
    }
    EXPECT_TRUE(m_suite.messages().isEmpty());
    // The untouched template reads, under its own kind only.
    QImage read;
    EXPECT_TRUE(ReadStampTemplateBytes(good, QStringLiteral("000"), read));
    EXPECT_FALSE(ReadStampTemplateBytes(good, QStringLiteral("001"), read));
}

TEST_F(StampTemplateTest, FolderIsReadInPathOrderWithoutRegardToCase)
{
    EXPECT_TRUE(LoadStampTemplates(QStringLiteral("/LOGO/"), QStringLiteral("000")).isEmpty());
    Write(QStringLiteral("d.dat"), MakeStampTemplate(Indexed(3, 2), 1, "000"));
    Write(QStringLiteral("C.dat"), MakeStampTemplate(Indexed(2, 2), 1, "000"));
    Write(QStringLiteral("b.dat"), MakeStampTemplate(Indexed(1, 2), 1, "000"));
    Write(QStringLiteral("a.dat"), QByteArray("not a template"));
    Write(QStringLiteral("e.bmp"), MakeStampTemplate(Indexed(5, 2), 1, "000"));
    Write(QStringLiteral("f.dat"), MakeStampTemplate(Indexed(6, 2), 1, "001"));
    const QList<QImage> templates =
        LoadStampTemplates(QStringLiteral("/LOGO/"), QStringLiteral("000"));
    QList<int> widths;
    for (const QImage& image : templates)
        widths << image.width();
    EXPECT_EQ(widths, QList<int>({1, 2, 3}));
    EXPECT_TRUE(m_suite.messages().isEmpty());
}

// The fuzzer's seeds say by their names whether they are whole.
TEST_F(StampTemplateTest, FuzzSeedsReadAsNamed)
{
    const QDir seeds(QStringLiteral(KORVANE_SOURCE_DIR "/fuzz/corpus/StampTemplateFuzzer"));
    const QStringList names = seeds.entryList(QDir::Files);
    ASSERT_GE(names.size(), 10);
    for (const QString& name : names) {
        QImage read;
        const bool whole =
            name.startsWith(QLatin1String("good-")) || name.startsWith(QLatin1String("topdown-"));
        EXPECT_EQ(ReadStampTemplate(seeds.filePath(name), QStringLiteral("000"), read), whole)
            << name.toStdString();
    }
    QImage bottomUp, topDown;
    ASSERT_TRUE(ReadStampTemplate(seeds.filePath(QStringLiteral("good-8bit.dat")),
                                  QStringLiteral("000"), bottomUp));
    ASSERT_TRUE(ReadStampTemplate(seeds.filePath(QStringLiteral("topdown-8bit.dat")),
                                  QStringLiteral("000"), topDown));
    EXPECT_EQ(topDown.pixel(0, 0), bottomUp.pixel(0, 1));
}

TEST_F(StampTemplateTest, ShippedTemplatesAllRead)
{
    CBasePath::SetModuleFolder(QStringLiteral(KORVANE_SUITE_DIR));
    const QDir folder(QStringLiteral(KORVANE_SUITE_DIR "/Template/LOGO"));
    const QStringList files = folder.entryList({QStringLiteral("*.dat")}, QDir::Files);
    ASSERT_GE(files.size(), 4);
    QList<int> depths;
    int widest = 0;
    for (const QString& name : files) {
        QImage read;
        EXPECT_TRUE(ReadStampTemplate(folder.filePath(name), QStringLiteral("000"), read))
            << name.toStdString();
        widest = qMax(widest, read.width());
        // The bit count of the file's information header.
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        depths << qFromLittleEndian<quint16>(file.readAll().constData() + kBmp + 28);
    }
    EXPECT_TRUE(depths.contains(1) && depths.contains(4) && depths.contains(8));
    EXPECT_GT(widest, 384);
    EXPECT_EQ(LoadStampTemplates(QStringLiteral("/LOGO/"), QStringLiteral("000")).size(),
              files.size());
}

} // namespace
