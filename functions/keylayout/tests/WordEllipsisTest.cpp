#include "functions/keylayout/WordEllipsis.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

using kesmond::WordElidedText;

TEST(WordEllipsis, CutsAfterTheLastWholeWordThatFits)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    const QFontMetrics metrics(font);
    auto room = [&](const char* text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text));
    };
    const struct
    {
        const char* text;
        int width;
        const char* shown;
    } cases[] = {
        {"Discount for staff", room("Discount for staff"), "Discount for staff"},
        {"Discount for staff members", room("Discount for sta…"), "Discount for…"},
        {"Discount  for staff", room("Discount  fo…"), "Discount…"},
        {"", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WordElidedText(metrics, QString::fromUtf8(c.text), c.width),
                  QString::fromUtf8(c.shown))
            << c.text;
    // One word wider than the room is cut inside it, as a plain ellipsis does.
    for (const char* text : {"Supercalifragilistic", "Supercalifragilistic word"}) {
        const QString shown = WordElidedText(metrics, QString::fromUtf8(text), room("Super…"));
        EXPECT_EQ(shown,
                  metrics.elidedText(QString::fromUtf8(text), Qt::ElideRight, room("Super…")));
        EXPECT_TRUE(shown.startsWith(QStringLiteral("Sup"))) << text;
    }
}
