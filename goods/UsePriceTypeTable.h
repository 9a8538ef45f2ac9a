#pragma once

#include <QString>

namespace brelkin {

// The price types a set menu's child is charged at: the stored value, its
// label key and the label's text in the current language.
struct UsePriceType
{
    const char* value;
    const char* labelKey;
    QString text;
};

constexpr int kUsePriceTypeCount = 12;
// The chooser offers the first eleven: an item has ten prices, so the last
// entry ("10", an eleventh price) names one no item has. A stored "10" still
// shows its text.
constexpr int kChoosableUsePriceCount = 11;

// In the order the chooser lists them; entry 0 ("00") is a new child's.
extern UsePriceType UsePriceTypeTable[kUsePriceTypeCount];

// Fills the texts from the language file.
void LoadUsePriceTexts();
// The text of the entry with exactly that value; "" for none.
QString GetUsePriceText(const QString& value);

} // namespace brelkin
