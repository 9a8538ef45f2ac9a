#pragma once

#include <QString>
#include <QStringList>

namespace dunmarel {

// The fixed sample texts of the formal-receipt previews, as the register
// prints them (a backslash is the yen sign of its font). Vertical ones per paper
// width.
struct FormalReceiptSamples
{
    QStringList date;
    QStringList tax;
    QStringList breakdown;
    QStringList proviso;
    QStringList revenueStamp;
    QString title[2]; // by the title word flag: 0 "書", 1 "証"
    QString addressee;
    QString amount;
};
const FormalReceiptSamples& VerticalSamples(bool paper58);

// The twelve lines of the horizontal form, 76 columns each.
const QStringList& HorizontalSampleLines();

} // namespace dunmarel
