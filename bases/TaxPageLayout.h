#pragma once

class QWidget;

namespace dunmarel {

// The current tax rates (3015) and the reserved rates with the reservation
// (3016): per tax code its type, rate, rounding and three names. False for
// another page id.
bool BuildTaxPageControls(unsigned pageId, QWidget* page);

} // namespace dunmarel
