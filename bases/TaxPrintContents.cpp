#include "bases/TaxPrintContents.h"

namespace dunmarel {

int TaxPrintItemOf(int tataxInvalid, int taxInvalid)
{
    if (tataxInvalid == 0 && taxInvalid == 1)
        return TAXPRINT_TATAX;
    if (tataxInvalid == 1 && taxInvalid == 0)
        return TAXPRINT_TAX;
    return TAXPRINT_OFF;
}

void TaxPrintFlagsOf(int item, int& tataxInvalid, int& taxInvalid)
{
    switch (item) {
    case TAXPRINT_OFF:
        tataxInvalid = 1;
        taxInvalid = 1;
        return;
    case TAXPRINT_TAX:
        tataxInvalid = 1;
        taxInvalid = 0;
        return;
    default:
        tataxInvalid = 0;
        taxInvalid = 1;
        return;
    }
}

} // namespace dunmarel
