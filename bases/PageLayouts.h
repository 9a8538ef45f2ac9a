#pragma once

class QWidget;

namespace dunmarel {

// Builds the controls of a settings page (3008 to 3016, 3018, 3019, 3022) onto the page, each
// with its control id and its language key as first text. False for a page
// id without a layout.
bool BuildPageControls(unsigned pageId, QWidget* page);

} // namespace dunmarel
