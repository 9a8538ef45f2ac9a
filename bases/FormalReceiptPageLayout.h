#pragma once

class QWidget;

namespace dunmarel {

// The controls of the easy formal-receipt page.
namespace FormalReceiptIds {
enum : unsigned {
    TypeCombo = 1217,
    TypeLabel = 1005,
    Explain = 1062,
    LogoLabel = 23034,
    LogoText = 23011,
    LogoImage = 23012,
    WordLabel = 23033,
    Word1 = 23009,
    Word2 = 23010,
    Title = 20007,
    Message1 = 20008,
    Message2 = 20009,
    Message3 = 20010,
    Inshi = 20011,
    ProofLabel = 23035,
    ProofYes = 23013,
    ProofNo = 23014,
    PreviewLabel = 23044,
    WidthLabel = 23036,
    WidthGroup = 1222,
    Paper58 = 1220,
    Paper80 = 1221,
    Preview58 = 1218,
    Preview80 = 1219,
    PreviewHorz = 1216,
    ExplainVert = 23045,
    ExplainHorz = 23046,
};
}

// Builds the formal-receipt page's controls beside its previews; false for
// another page id.
bool BuildFormalReceiptPageControls(unsigned pageId, QWidget* page);

} // namespace dunmarel
