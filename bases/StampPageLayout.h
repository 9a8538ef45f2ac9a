#pragma once

class QWidget;

namespace dunmarel {

// The controls of a receipt message and stamp page, 58 mm (3019) or 80 mm (3022).
struct StampPageIds
{
    unsigned topOn, topOff;       // top stamp radio pair
    unsigned messages[4];         // top 1, top 2, bottom 1, bottom 2
    unsigned taxPrint;            // tax print contents
    unsigned bottomOn, bottomOff; // bottom stamp radio pair
    unsigned preview;
};
const StampPageIds& StampPageIdsOf(bool paper58);

// Builds the page's controls beside its preview; false for another page id.
bool BuildStampPageControls(unsigned pageId, QWidget* page);

} // namespace dunmarel
