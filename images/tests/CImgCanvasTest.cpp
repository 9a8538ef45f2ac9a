// The picture holder: loading through the one decoder, drawing converted,
// and the 1-bit BMP writer byte for byte against the fixtures.
#include "images/CImgCanvas.h"

#include "testsupport/TestFolders.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

using pellark::CImgCanvas;

const QString kData = QStringLiteral(KORVANE_SOURCE_DIR "/images/tests/data/");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 Le32(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

quint16 Le16(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

// A canvas painted by the rule that names black pixels.
template <typename Black> CImgCanvas Painted(int width, int height, Black black, QRgb other)
{
    CImgCanvas canvas;
    EXPECT_TRUE(canvas.Create(width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            canvas.Image().setPixel(x, y, black(x, y) ? qRgb(0, 0, 0) : other);
    return canvas;
}

class CImgCanvasTest : public testing::Test
{
protected:
    QString Out(const QString& name) const { return m_folders.scratch() + QLatin1Char('/') + name; }
    korvane::test::TestFolders m_folders;
};

TEST_F(CImgCanvasTest, MonoBmpMatchesTheFixturesByteForByte)
{
    // (1, 1, 1) is not pure black, so it is written white.
    const CImgCanvas narrow = Painted(
        250, 3, [](int x, int y) { return (y == 0 && x == 0) || (y == 1 && x == 249) || y == 2; },
        qRgb(1, 1, 1));
    ASSERT_TRUE(narrow.WriteMonoBmp(Out("a.bmp")));
    EXPECT_EQ(ReadAll(Out("a.bmp")), ReadAll(kData + "WriteMonoBmp_250x3.bmp"));

    const CImgCanvas wide = Painted(
        577, 2, [](int x, int y) { return (y == 0 && x % 2 == 0) || (y == 1 && x == 576); },
        qRgb(255, 255, 255));
    ASSERT_TRUE(wide.WriteMonoBmp(Out("b.bmp")));
    EXPECT_EQ(ReadAll(Out("b.bmp")), ReadAll(kData + "WriteMonoBmp_577x2.bmp"));
}

TEST_F(CImgCanvasTest, MonoBmpHeaderAndLayout)
{
    struct Case
    {
        int width, height;
        qint64 fileSize;
        int rowLength;
    };
    for (const Case& c :
         {Case{576, 168, 12158, 72}, Case{250, 3, 158, 32}, Case{577, 2, 214, 76}}) {
        SCOPED_TRACE(c.width);
        // Pixel 0 of the top row black, all else white.
        const CImgCanvas canvas = Painted(
            c.width, c.height, [](int x, int y) { return x == 0 && y == 0; }, qRgb(255, 255, 255));
        ASSERT_TRUE(canvas.WriteMonoBmp(Out("h.bmp")));
        const QByteArray bytes = ReadAll(Out("h.bmp"));
        ASSERT_EQ(bytes.size(), c.fileSize);
        EXPECT_EQ(bytes.left(2), "BM");
        EXPECT_EQ(Le32(bytes, 2), quint32(c.fileSize));
        EXPECT_EQ(Le32(bytes, 6), 0u);
        EXPECT_EQ(Le32(bytes, 10), 62u);
        EXPECT_EQ(Le32(bytes, 14), 40u);
        EXPECT_EQ(Le32(bytes, 18), quint32(c.width));
        EXPECT_EQ(Le32(bytes, 22), quint32(c.height));
        EXPECT_EQ(Le16(bytes, 26), 1);
        EXPECT_EQ(Le16(bytes, 28), 1);
        EXPECT_EQ(Le32(bytes, 30), 0u);
        EXPECT_EQ(Le32(bytes, 34), quint32(c.rowLength * c.height));
        EXPECT_EQ(bytes.mid(38, 16), QByteArray(16, '\0'));
        EXPECT_EQ(bytes.mid(54, 8), QByteArray::fromHex("00000000ffffff00"));
        // The top row is the last: its first byte has bit 7 clear, the
        // rest of the row's bits set up to the width, padding 0.
        const QByteArray top = bytes.right(c.rowLength);
        EXPECT_EQ(uchar(top[0]), 0x7F);
        const int fullBytes = c.width / 8;
        for (int i = 1; i < c.rowLength; ++i) {
            const uchar expected = i < fullBytes ? 0xFF
                                   : i == fullBytes && c.width % 8
                                       ? uchar(0xFF << (8 - c.width % 8))
                                       : 0x00;
            ASSERT_EQ(uchar(top[i]), expected) << i;
        }
        // Every other row is all white.
        EXPECT_EQ(uchar(bytes[62]), 0xFF);

        QImage back(Out("h.bmp"));
        ASSERT_FALSE(back.isNull());
        ASSERT_EQ(back.size(), QSize(c.width, c.height));
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(back.pixel(x, y) & 0xFFFFFF, x == 0 && y == 0 ? 0u : 0xFFFFFFu)
                    << x << "," << y;
    }
}

TEST_F(CImgCanvasTest, FailedWriteReportsFailureAndLeavesNothing)
{
    const CImgCanvas canvas = Painted(
        8, 1, [](int, int) { return false; }, qRgb(255, 255, 255));
    EXPECT_FALSE(canvas.WriteMonoBmp(Out("missing/new.bmp")));
    EXPECT_FALSE(QFile::exists(Out("missing")));
    EXPECT_FALSE(CImgCanvas().WriteMonoBmp(Out("empty.bmp")));
    EXPECT_FALSE(QFile::exists(Out("empty.bmp")));
    // A write over an old file replaces it whole.
    korvane::test::writeFile(Out("old.bmp"), QByteArray(500, 'x'));
    ASSERT_TRUE(canvas.WriteMonoBmp(Out("old.bmp")));
    EXPECT_EQ(ReadAll(Out("old.bmp")).size(), 62 + 4);
}

TEST_F(CImgCanvasTest, HostilePicturesAreRefusedAndAPhotoLoads)
{
    CImgCanvas canvas;
    EXPECT_FALSE(canvas.Load(kData + "Read_hugeclaim.png"));
    EXPECT_TRUE(canvas.IsEmpty());
    EXPECT_FALSE(canvas.Load(kData + "Read_truncated.png"));
    EXPECT_FALSE(canvas.Load(kData + "missing.png"));

    QImage photo(4000, 3000, QImage::Format_RGB888);
    photo.fill(QColor(40, 90, 160));
    ASSERT_TRUE(photo.save(Out("photo.jpg")));
    ASSERT_TRUE(canvas.Load(Out("photo.jpg")));
    EXPECT_EQ(canvas.Width(), 4000);
    EXPECT_EQ(canvas.Height(), 3000);
    EXPECT_FALSE(canvas.IsSourceOneBit());
}

TEST_F(CImgCanvasTest, TransparencyIsLaidOnWhite)
{
    CImgCanvas canvas;
    ASSERT_TRUE(canvas.Load(kData + "Load_transparent.png"));
    EXPECT_EQ(canvas.Image().pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(canvas.Image().pixel(3, 1) & 0xFFFFFF, 0xFFFFFFu);
    CImgCanvas output;
    ASSERT_TRUE(canvas.RenderInto(output, QSize(4, 2), QRect(0, 0, 4, 2), QRect(0, 0, 4, 2)));
    EXPECT_EQ(output.Image().pixel(1, 1) & 0xFFFFFF, 0u);
    EXPECT_EQ(output.Image().pixel(2, 1) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(CImgCanvasTest, OneBitPictureIsCopiedWhateverTheMode)
{
    CImgCanvas source;
    ASSERT_TRUE(source.Load(kData + "WriteMonoBmp_577x2.bmp"));
    EXPECT_TRUE(source.IsSourceOneBit());
    source.SetConvertMode(CImgCanvas::ConvertDiffuse);
    CImgCanvas output;
    ASSERT_TRUE(source.RenderInto(output, QSize(577, 2), QRect(0, 0, 577, 2), QRect(0, 0, 577, 2)));
    EXPECT_EQ(output.Image(), source.Image());
}

TEST_F(CImgCanvasTest, RenderedCanvasRoundTripsThroughTheWriter)
{
    CImgCanvas photo;
    ASSERT_TRUE(photo.Create(40, 20));
    QPainter(&photo.Image()).fillRect(0, 0, 20, 20, QColor(100, 100, 100));
    CImgCanvas output;
    ASSERT_TRUE(photo.RenderInto(output, QSize(48, 24), QRect(4, 2, 40, 20), QRect(0, 0, 40, 20)));
    ASSERT_TRUE(output.WriteMonoBmp(Out("r.bmp")));
    CImgCanvas back;
    ASSERT_TRUE(back.Load(Out("r.bmp")));
    EXPECT_TRUE(back.IsSourceOneBit());
    EXPECT_EQ(back.Image(), output.Image());
}

} // namespace
