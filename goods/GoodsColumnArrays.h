#pragma once

// The column descriptors of every goods table, one nullptr-ended array made
// with new per list and form; the caller owns the array and its columns.

class CColumnData;

namespace brelkin {

// Items (CIA001) and set prices (CIB003).
CColumnData** NewPluColumns();
CColumnData** NewPluCleaningColumns();
CColumnData** NewPluRestaurantColumns();
CColumnData** NewPluEasyColumns();
CColumnData** NewSetPriceColumns();
// Departments (CIA002), groups (CIA003), item parameters (CSA001).
CColumnData** NewDeptColumns();
CColumnData** NewGroupColumns();
CColumnData** NewItemParmColumns();
CColumnData** NewItemParmCleaningColumns();
// Clerks (CSB004), set menus (CIB001), mix & match (CSA004), hourly targets.
CColumnData** NewClerkColumns(); // standard and cleaning forms
CColumnData** NewClerkRestaurantColumns();
CColumnData** NewSetMenuColumns();
CColumnData** NewSetMenuRestaurantColumns();
CColumnData** NewMixMatchColumns(); // standard and cleaning forms
CColumnData** NewHourlyDeptColumns();
CColumnData** NewHourlyPluColumns();

} // namespace brelkin
