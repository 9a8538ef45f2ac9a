#include "images/StampTemplate.h"

#include "images/CSortStringArrayW.h"

#include "shared/config/CBasePath.h"
#include "shared/data/ReadImageFile.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <limits>

namespace pellark {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr qint64 kMinOffset = 15;
constexpr qint64 kMaxOffset = 1078;
// The largest file worth reading: a head, headers, a full colour table and
// the pixels the image reader would allow.
constexpr qint64 kMaxFileSize =
    kStampTemplateHeadSize + kMaxOffset + qint64(kImageAllocationLimitMb) * 1024 * 1024;

const char kMark[] = "CSTAMP";

quint32 U32(const QByteArray& bytes, qint64 at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 U16(const QByteArray& bytes, qint64 at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// The 8-bit text from start up to its NUL inside the head; false when the
// head holds no NUL after it.
bool HeadText(const QByteArray& head, qsizetype start, QByteArray& text, qsizetype& end)
{
    end = head.indexOf('\0', start);
    if (end < 0)
        return false;
    text = head.mid(start, end - start);
    return true;
}

qint64 RowBytes(qint64 width, int bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

} // namespace

bool ReadStampTemplateBytes(const QByteArray& bytes, const QString& kind, QImage& image)
{
    image = QImage();
    if (bytes.size() < kStampTemplateHeadSize + kFileHeaderSize)
        return false;
    const QByteArray head = bytes.left(kStampTemplateHeadSize);
    QByteArray mark, headKind;
    qsizetype end = 0;
    if (!HeadText(head, 0, mark, end) || mark != kMark || !HeadText(head, end + 1, headKind, end) ||
        headKind != kind.toLatin1())
        return false;

    const qint64 base = kStampTemplateHeadSize;
    const qint64 bmpLength = bytes.size() - base;
    if (bytes.at(base) != 'B' || bytes.at(base + 1) != 'M')
        return false;
    const qint64 size = U32(bytes, base + 2);
    const qint64 offset = U32(bytes, base + 10);
    if (U16(bytes, base + 6) != 0 || U16(bytes, base + 8) != 0 || offset < kMinOffset ||
        offset > kMaxOffset || offset >= size || size > bmpLength)
        return false;
    // The information header and the colour table lie inside the offset.
    if (offset < kFileHeaderSize + kInfoHeaderSize)
        return false;
    const qint64 info = base + kFileHeaderSize;
    const qint64 infoSize = U32(bytes, info);
    if (infoSize < kInfoHeaderSize || kFileHeaderSize + infoSize > offset)
        return false;
    const qint32 width = qint32(U32(bytes, info + 4));
    const qint32 rawHeight = qint32(U32(bytes, info + 8));
    const int planes = U16(bytes, info + 12);
    const int bitCount = U16(bytes, info + 14);
    const quint32 compression = U32(bytes, info + 16);
    const quint32 colorsUsed = U32(bytes, info + 32);
    if (planes != 1 || compression != 0 ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24))
        return false;
    if (rawHeight == std::numeric_limits<qint32>::min())
        return false;
    const qint64 height = rawHeight < 0 ? -qint64(rawHeight) : rawHeight;
    if (width <= 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide)
        return false;

    QList<QRgb> colors;
    if (bitCount <= 8) {
        const quint32 full = 1u << bitCount;
        const quint32 entries = colorsUsed > 0 && colorsUsed <= full ? colorsUsed : full;
        const qint64 table = kFileHeaderSize + infoSize;
        if (table + 4 * qint64(entries) > offset)
            return false;
        for (quint32 i = 0; i < entries; ++i) {
            const qint64 at = base + table + 4 * qint64(i);
            colors << qRgb(uchar(bytes.at(at + 2)), uchar(bytes.at(at + 1)), uchar(bytes.at(at)));
        }
        // Indexes past a short table show black.
        while (colors.size() < int(full))
            colors << qRgb(0, 0, 0);
    }

    const qint64 rowBytes = RowBytes(width, bitCount);
    if (rowBytes * height > size - offset)
        return false;

    QImage result(width, int(height),
                  bitCount == 24 ? QImage::Format_RGB888 : QImage::Format_Indexed8);
    if (result.isNull())
        return false;
    if (bitCount <= 8)
        result.setColorTable(colors);
    const bool bottomUp = rawHeight > 0;
    const char* pixels = bytes.constData() + base + offset;
    for (qint64 y = 0; y < height; ++y) {
        const auto* row =
            reinterpret_cast<const uchar*>(pixels + rowBytes * (bottomUp ? height - 1 - y : y));
        uchar* out = result.scanLine(int(y));
        if (bitCount == 24) {
            for (int x = 0; x < width; ++x) {
                out[3 * x] = row[3 * x + 2];
                out[3 * x + 1] = row[3 * x + 1];
                out[3 * x + 2] = row[3 * x];
            }
            continue;
        }
        const int perByte = 8 / bitCount;
        const int mask = (1 << bitCount) - 1;
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bitCount * (x % perByte + 1);
            out[x] = uchar((row[x / perByte] >> shift) & mask);
        }
    }
    image = result;
    return true;
}

bool ReadStampTemplate(const QString& path, const QString& kind, QImage& image)
{
    image = QImage();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize)
        return false;
    return ReadStampTemplateBytes(file.readAll(), kind, image);
}

QByteArray MakeStampTemplate(const QImage& image, int bitCount, const QString& kind)
{
    QByteArray head(kStampTemplateHeadSize, '\0');
    const QByteArray text = QByteArray(kMark) + '\0' + kind.toLatin1();
    head.replace(0, text.size(), text);

    const QImage source = bitCount == 24 ? image.convertToFormat(QImage::Format_RGB888)
                                         : image.convertToFormat(QImage::Format_Indexed8);
    const int entries = bitCount == 24 ? 0 : 1 << bitCount;
    const qint64 offset = kFileHeaderSize + kInfoHeaderSize + 4 * entries;
    const qint64 rowBytes = RowBytes(source.width(), bitCount);
    const qint64 pixelBytes = rowBytes * source.height();
    QByteArray bmp(offset + pixelBytes, '\0');
    auto put32 = [&bmp](qint64 at, quint32 value) { qToLittleEndian(value, bmp.data() + at); };
    auto put16 = [&bmp](qint64 at, quint16 value) { qToLittleEndian(value, bmp.data() + at); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, quint32(bmp.size()));
    put32(10, quint32(offset));
    put32(14, kInfoHeaderSize);
    put32(18, quint32(source.width()));
    put32(22, quint32(source.height()));
    put16(26, 1);
    put16(28, quint16(bitCount));
    put32(34, quint32(pixelBytes));
    const QList<QRgb> colors = source.colorTable();
    for (int i = 0; i < entries && i < colors.size(); ++i) {
        const qint64 at = kFileHeaderSize + kInfoHeaderSize + 4 * i;
        bmp[at] = char(qBlue(colors[i]));
        bmp[at + 1] = char(qGreen(colors[i]));
        bmp[at + 2] = char(qRed(colors[i]));
    }
    for (int y = 0; y < source.height(); ++y) {
        char* row = bmp.data() + offset + rowBytes * (source.height() - 1 - y);
        const uchar* in = source.constScanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            if (bitCount == 24) {
                row[3 * x] = char(in[3 * x + 2]);
                row[3 * x + 1] = char(in[3 * x + 1]);
                row[3 * x + 2] = char(in[3 * x]);
                continue;
            }
            const int perByte = 8 / bitCount;
            const int shift = 8 - bitCount * (x % perByte + 1);
            const int value = in[x] & ((1 << bitCount) - 1);
            row[x / perByte] = char(uchar(row[x / perByte]) | (value << shift));
        }
    }
    return head + bmp;
}

QList<QImage> LoadStampTemplates(const QString& subFolder, const QString& kind)
{
    const QDir folder(CBasePath::GetInstallPath() + QStringLiteral("/Template") + subFolder);
    CSortStringArrayW paths;
    // Name filters match without regard to case, as the system's search does.
    for (const QString& name :
         folder.entryList({QStringLiteral("*.dat")}, QDir::Files | QDir::Hidden, QDir::NoSort))
        paths << folder.filePath(name);
    paths.Sort();
    QList<QImage> templates;
    for (const QString& path : std::as_const(paths)) {
        QImage image;
        if (ReadStampTemplate(path, kind, image))
            templates << image;
    }
    return templates;
}

} // namespace pellark
