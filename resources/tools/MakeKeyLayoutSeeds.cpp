// Build-time tool: draws the key layout's button images and writes them,
// with the 15 key, function-key and tab styles that name them, as a seed
// file of SQL that MakeCrx runs into the model's default archives.
//
//   MakeKeyLayoutSeeds <output.sql>
//
// Images: "ItemButton.Background.9", "FunctionButton" and
// "ItemSheet.Background.9" codes 0 to 14 (48 x 48 PNG) and the tabs'
// "ItemSheetSelection.Normal.9" codes 0 to 14 (24 x 24,
// "ItemSheetSelection.Normal.9.png"), each with a small nine-patch chunk
// (its stretch and padding bands, which the programs carry without reading).

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QtEndian>

#include <cstdio>

namespace {

constexpr int kStyles = 15;
const char* const kStamp = "20240101000000";

// The hue of style n, spread round the colour wheel.
QColor StyleColour(int n, int saturation, int value)
{
    return QColor::fromHsv((n * 360 / kStyles) % 360, saturation, value);
}

QByteArray Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A rounded face with a border, transparent outside: a key or tab.
QImage Face(int size, int corner, const QColor& fill, const QColor& border, bool gradient)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(1, 1, size - 2, size - 2), corner, corner);
    if (gradient) {
        QLinearGradient shade(0, 0, 0, size);
        shade.setColorAt(0, fill.lighter(130));
        shade.setColorAt(1, fill.darker(115));
        painter.fillPath(path, shade);
    } else {
        painter.fillPath(path, fill);
    }
    painter.setPen(QPen(border, 2));
    painter.drawPath(path);
    return image;
}

// A nine-patch chunk: one stretch band across and down between the corners,
// the content padding, and no colour hints.
QByteArray Chunk(int size, int corner)
{
    QByteArray chunk;
    auto put8 = [&](int v) { chunk.append(char(v)); };
    auto put32 = [&](qint32 v) {
        char b[4];
        qToBigEndian(v, b);
        chunk.append(b, 4);
    };
    put8(1);            // deserialised
    put8(2);            // x divisions
    put8(2);            // y divisions
    put8(0);            // colours
    put32(0), put32(0); // offsets, filled in by readers
    for (int pad : {corner, corner, corner, corner})
        put32(pad);                      // left, right, top, bottom padding
    put32(0);                            // colour offset
    put32(corner), put32(size - corner); // x division
    put32(corner), put32(size - corner); // y division
    return chunk;
}

QString ImageRow(const QString& type, int code, const QString& file, const QImage& image,
                 int corner)
{
    return QStringLiteral("INSERT INTO CSB012 (CONTROLTYPE, THEME, CODE, FILENAME, GRAPHICDATA, "
                          "NINEPATCHCHUNK, CREATEDATETIME, UPDATEDATETIME) VALUES ('%1', "
                          "'Standard', '%2', '%3', x'%4', x'%5', '%6', '%6');\n")
        .arg(type, QString::number(code), file, QString::fromLatin1(Png(image).toHex()),
             QString::fromLatin1(Chunk(image.width(), corner).toHex()), QLatin1String(kStamp));
}

// A style row: SHEETNUMBER n names image (type, code n) and its colours.
QString StyleRow(const char* sheetType, const char* imageType, int n, qint32 fore, qint32 back,
                 qint32 option)
{
    return QStringLiteral("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETARRANGE, SHEETSEQCODE, "
                          "CONTROLTYPE, THEME, CODE, USECOORDINATE, POSITIONX, POSITIONY, WIDTH, "
                          "HEIGHT, LABEL, FOREGROUNDCOLOR, BACKGROUNDCOLOR, OPTIONCOLOR, "
                          "IMAGEFLAG, BGIMGCONTROLTYPE, BGIMGTHEME, BGIMGCODE, FONTSIZE, "
                          "OPERATIONMODE, DISPMODE, REMARKS, CREATEDATETIME, UPDATEDATETIME) "
                          "VALUES ('%1', %2, 0, 0, '%3', 'Standard', '%2', 1, 0, 0, 0, 0, '', %4, "
                          "%5, %6, 0, '', '', '', 0, '', '', '-', '%7', '%7');\n")
        .arg(QLatin1String(sheetType), QString::number(n), QLatin1String(imageType),
             QString::number(fore), QString::number(back), QString::number(option),
             QLatin1String(kStamp));
}

qint32 Argb(const QColor& colour)
{
    return qint32(0xFF000000u | (colour.rgb() & 0xFFFFFFu));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeKeyLayoutSeeds <output.sql>\n");
        return 2;
    }
    QString sql = QStringLiteral("-- Made by MakeKeyLayoutSeeds at build time.\n");
    for (int n = 0; n < kStyles; ++n) {
        const QColor key = StyleColour(n, 40, 250);
        const QColor function = StyleColour(n, 110, 200);
        sql += ImageRow(QStringLiteral("ItemButton.Background.9"), n,
                        QStringLiteral("ItemButton.Background.9.png"),
                        Face(48, 8, key, key.darker(160), false), 8);
        sql += ImageRow(QStringLiteral("FunctionButton"), n, QStringLiteral("FunctionButton.png"),
                        Face(48, 8, function, function.darker(170), true), 8);
        sql += ImageRow(QStringLiteral("ItemSheet.Background.9"), n,
                        QStringLiteral("ItemSheet.Background.9.png"),
                        Face(48, 4, StyleColour(n, 12, 245), StyleColour(n, 30, 200), false), 8);
        sql += ImageRow(QStringLiteral("ItemSheetSelection.Normal.9"), n,
                        QStringLiteral("ItemSheetSelection.Normal.9.png"),
                        Face(24, 5, StyleColour(n, 70, 230), StyleColour(n, 90, 150), true), 8);
        // Dark text on the light keys, white on the function keys and tabs.
        sql += StyleRow("DEFAULTITEMBUTTON", "ItemButton.Background.9", n, Argb(QColor(20, 20, 20)),
                        Argb(key), Argb(key.darker(160)));
        sql += StyleRow("DEFAULTFUNCTIONBUTTON", "FunctionButton", n, Argb(Qt::white),
                        Argb(function), Argb(function.darker(170)));
        sql +=
            StyleRow("DEFAULTITEMSHEETSELECTIONNORMAL", "ItemSheetSelection.Normal.9", n,
                     Argb(Qt::white), Argb(StyleColour(n, 70, 230)), Argb(StyleColour(n, 90, 150)));
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(sql.toUtf8()) < 0 || !file.commit()) {
        std::fprintf(stderr, "MakeKeyLayoutSeeds: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
