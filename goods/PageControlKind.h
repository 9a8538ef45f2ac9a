#pragma once

#include <QString>

class CColumnData;

namespace brelkin {

// The control a record page makes for a column, decided once for the page
// and for the checks that take a value as that control would.
enum class PageControlKind {
    None,        // no control of its own (a sub-item, or none at all)
    CodeDisplay, // the record's code, read-only
    Radio,
    ItemButton,
    Combo,
    MinusPrice,
    Percent,
    NumZero,
    Edit,
};

// mainList: a column of the page's own list (not of its set price rows).
PageControlKind PageControlKindOf(const CColumnData* column, unsigned pageId, bool mainList = true);

// The form of the value dialog (a SubItemDlgType) of a sub-item column by
// its label key.
int SubItemKindOf(const QString& labelKey);

// The language key of radio r of a radio column's group on the page.
QString PageRadioKey(const CColumnData* column, unsigned pageId, int r);

// The integer and decimal digits of a percent edit by its control id.
int PercentIntegerDigits(uint ctrlId);
int PercentDecimalDigits(uint ctrlId);
// The digits a zero-filled edit fills to.
constexpr int kNumZeroDigits = 6;

} // namespace brelkin
