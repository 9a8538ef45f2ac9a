// MakeSignageDefaults <language file> <signage folder>
// Writes the installation's default Preference.xml (every key the program
// knows, each empty, in the writer's own form) and the default item picture.
#include "monitor/CXmlDataArray.h"
#include "monitor/PreferenceXml.h"
#include "monitor/SignageFolder.h"

#include "shared/lang/CProgramLang.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

// A neutral "no picture" sign: a framed landscape with a sun, in greys.
QImage DrawDefaultItemImage()
{
    QImage image(240, 240, QImage::Format_ARGB32);
    image.fill(QColor(236, 236, 236));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(160, 160, 160), 6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(48, 60, 144, 120), 10, 10);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(176, 176, 176));
    painter.drawEllipse(QPointF(150, 98), 14, 14);
    QPainterPath hills;
    hills.moveTo(54, 174);
    hills.lineTo(100, 112);
    hills.lineTo(130, 148);
    hills.lineTo(150, 128);
    hills.lineTo(186, 174);
    hills.closeSubpath();
    painter.drawPath(hills);
    painter.end();
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: MakeSignageDefaults <language file> <signage folder>\n");
        return 2;
    }
    const QString languageFile = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (!CProgramLang::Initialize(QStringLiteral("Mervolt"), languageFile)) {
        std::fprintf(stderr, "MakeSignageDefaults: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString setting = folder + u'/' + mervolt::signage::Setting;
    const QString itemImage = folder + u'/' + mervolt::signage::ItemImage;
    if (!QDir().mkpath(setting) || !QDir().mkpath(itemImage))
        return 1;

    mervolt::CXmlDataArray items;
    for (const QString& key : mervolt::AllPreferenceKeys())
        items.Add(mervolt::signage::StringType, key, QString());
    if (mervolt::WritePreferenceXml(setting + u'/' + mervolt::signage::PreferenceFile, items)) {
        std::fprintf(stderr, "MakeSignageDefaults: cannot write Preference.xml\n");
        return 1;
    }
    if (!DrawDefaultItemImage().save(itemImage + u'/' + mervolt::signage::DefaultItemImage, "PNG"))
        return 1;
    CProgramLang::Release();
    return 0;
}
