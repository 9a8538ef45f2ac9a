#pragma once

#include "shared/data/CColumnDataStaticCombo.h"

namespace dunmarel {

// The choices of the combos and the labels of the radio groups, as the
// register numbers them.
extern const tagCLMSTRITEM kRegStyleItems[2];
extern const tagCLMSTRITEM kCheckStyleItems[3];
extern const tagCLMSTRITEM kCheckSizeItems[3];
extern const tagCLMSTRITEM kCheckTimeItems[2];
extern const tagCLMSTRITEM kUserStyleItems[2];
extern const tagCLMSTRITEM kEntStyleItems[2];
extern const tagCLMSTRITEM kQtyExtensionItems[2];
extern const tagCLMSTRITEM kCountryRoundingItems[15];
extern const tagCLMSTRITEM kTaxSystemItems[4];
extern const tagCLMSTRITEM kTaxFsItems[2];
extern const tagCLMSTRITEM kYesNoItems[2];
extern const tagCLMSTRITEM kReceiptOffItems[2];
extern const tagCLMSTRITEM kNfpEntryItems[2];
extern const tagCLMSTRITEM kTaxTypeItems[6];
extern const tagCLMSTRITEM kTaxRoundItems[5];

// nullptr-ended label keys, one per radio button.
extern const char* const kRyoushuushoLabels[];
extern const char* const kRyoushuushoLogoLabels[];
extern const char* const kYesNoLabels[];
extern const char* const kTaxReservationLabels[];

} // namespace dunmarel
