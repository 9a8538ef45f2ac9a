#pragma once

#include <QColor>

#include <functional>
#include <optional>

// The coloured buttons of a program's top-level windows: one row per button
// by control id, with its face colour and its place in the rows along the
// bottom edge (the arguments of CColorButton::Adjust).
struct ButtonPlacement
{
    uint align; // 1 from the right, 2 from the left, other: colour only
    int index;
    int count;
    int row; // 0 the bottom row
};

struct ButtonColorRow
{
    uint ctrlId;
    std::optional<QColor> color; // none: the system's button face
    uint align;                  // 1 from the right, 2 from the left
    int index;
    int count;
    int row; // 0 the bottom row
    // Where a window in editor layout (CMainDlg::SetEditorLayout) puts the
    // button instead; none: the same place.
    std::optional<ButtonPlacement> editor = std::nullopt;
};

struct CButtonTable
{
    const ButtonColorRow* rows = nullptr;
    int count = 0;
    // Whether a window of this kind shows the button at all; a button it does
    // not show is hidden and disabled. None: every button is shown.
    std::function<bool(uint ctrlId, int windowKind)> shown;
};
