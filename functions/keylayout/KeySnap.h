#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace kesmond {

class CKeySheetGrid;

// Where the pointer is on a key, which chooses what a drag does.
enum class KeyCursorZone { Outside, Move, SizeHorizontal, SizeDiagonal, SizeVertical };

// The zone of a point in a key window of that size: the move cursor inside,
// 12-pixel handles at the right edge, the bottom right corner and the
// bottom edge (later ones win where they overlap).
KeyCursorZone CursorZoneAt(const QPoint& point, const QSize& size);

// One pointer step of a drag. rect is the move window on the canvas,
// pointer the mouse in the move window, click the press point in the key,
// pressSize the key's size at the press.
struct SnapInput
{
    QRect rect;
    QPoint pointer;
    QPoint click;
    QSize pressSize;
    QSize canvas;
    bool alt = false;
};

// The move window's new rectangle for a move, or none when it stays.
std::optional<QRect> SnapMove(const SnapInput& in, const CKeySheetGrid& grid);
// The same for a resize in the zone's mode; never below 40 x 40.
std::optional<QRect> SnapResize(const SnapInput& in, KeyCursorZone mode, const CKeySheetGrid& grid);

} // namespace kesmond
