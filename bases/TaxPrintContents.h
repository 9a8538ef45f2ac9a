#pragma once

namespace dunmarel {

// The tax lines a receipt prints, as the tax-print combo offers them, and
// the print form's "invalid" flags of "tatax" and "tax" (1 = not printed).
enum TaxPrintItem : int { TAXPRINT_OFF = 0, TAXPRINT_TATAX = 1, TAXPRINT_TAX = 2 };

// (1, 1) and (0, 0) read as off, (0, 1) as the taxable amounts with tax,
// (1, 0) as the tax alone.
int TaxPrintItemOf(int tataxInvalid, int taxInvalid);
// The flags an item is written as; no item (-1) writes (0, 1).
void TaxPrintFlagsOf(int item, int& tataxInvalid, int& taxInvalid);

} // namespace dunmarel
