#pragma once

// The fixed choices of the goods tables' static combos and radio groups:
// value and language key of each entry, in the order the control shows them.

#include "shared/data/CColumnDataStaticCombo.h"

namespace brelkin {

// Items (PLU)
extern const tagCLMSTRITEM kUsableFlagItems[2];
extern const tagCLMSTRITEM kSetMainItemItems[2];
// Item parameters
extern const tagCLMSTRITEM kItemTypeItems[4];
extern const char* const kItemTypeRadioKeys[4]; // nullptr-ended
extern const tagCLMSTRITEM kOrderNameItems[16];
extern const tagCLMSTRITEM kOpenPluItems[5];
extern const tagCLMSTRITEM kYesNoItemsYesZero[2];
extern const tagCLMSTRITEM kYesNoItemsNoZero[2];
extern const tagCLMSTRITEM kScaleItems[3];
extern const tagCLMSTRITEM kSelectiveItemsCleaning[5];
// Clerks, set menus, mix & match
extern const char* const kClerkUsableKeys[3]; // nullptr-ended
extern const tagCLMSTRITEM kSetTypeItems3[3];
extern const tagCLMSTRITEM kSetTypeItems6[6];
extern const tagCLMSTRITEM kMixMatchTypeItems[3];
extern const tagCLMSTRITEM kConditionItems[10];
extern const tagCLMSTRITEM kDiscountTypeItems[2];
extern const tagCLMSTRITEM kTargetItemTypeItems[4];

} // namespace brelkin
