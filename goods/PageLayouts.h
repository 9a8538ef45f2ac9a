#pragma once

#include <QString>

namespace brelkin {

// The texts of a page template's label and radio controls by id (the page
// templates' own keys, "CRDC_PR_LABEL_..."); "" where the page has none.
QString PageControlKey(unsigned pageId, unsigned ctrlId);

// The label beside a column's control on a page: the column's label id,
// except where the page labels the control otherwise (the item parameter's
// type, commissions and selective items, whose label id is their own).
unsigned PageLabelId(unsigned pageId, unsigned ctrlId, unsigned columnLabelId);

} // namespace brelkin
