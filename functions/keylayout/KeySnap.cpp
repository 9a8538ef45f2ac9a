#include "functions/keylayout/KeySnap.h"

#include "functions/keylayout/CKeySheetGrid.h"

#include <algorithm>

namespace kesmond {

namespace {

constexpr int kHandle = 12;
constexpr int kMinKeySide = 40;

int Right(const QRect& r)
{
    return r.x() + r.width();
}

int Bottom(const QRect& r)
{
    return r.y() + r.height();
}

} // namespace

KeyCursorZone CursorZoneAt(const QPoint& point, const QSize& size)
{
    const int w = size.width();
    const int h = size.height();
    if (!QRect(QPoint(0, 0), size).contains(point))
        return KeyCursorZone::Outside;
    KeyCursorZone zone = KeyCursorZone::Move;
    if (QRect(w - kHandle, h / 2 - kHandle / 2, kHandle, kHandle).contains(point))
        zone = KeyCursorZone::SizeHorizontal;
    if (QRect(w - kHandle, h - kHandle, kHandle, kHandle).contains(point))
        zone = KeyCursorZone::SizeDiagonal;
    if (QRect(w / 2 - kHandle / 2, h - kHandle, kHandle, kHandle).contains(point))
        zone = KeyCursorZone::SizeVertical;
    return zone;
}

std::optional<QRect> SnapMove(const SnapInput& in, const CKeySheetGrid& grid)
{
    const QRect& r = in.rect;
    QRect n = r.translated(in.pointer - in.click);
    if (n.x() < 0)
        n.moveLeft(0);
    else if (Right(n) > in.canvas.width())
        n.moveLeft(in.canvas.width() - n.width());
    if (n.y() < 0)
        n.moveTop(0);
    else if (Bottom(n) > in.canvas.height())
        n.moveTop(in.canvas.height() - n.height());
    if (in.alt)
        return n;

    const QPoint from = grid.CellAt(r.x(), r.y());
    const QPoint to = grid.CellAt(n.x(), n.y());
    bool changed = false;
    auto step = [&changed](int now, int target) {
        if (target > now) {
            changed = true;
            return target;
        }
        if (target < now - 1) {
            changed = true;
            return now - 1;
        }
        return now;
    };
    const int column = step(from.x(), to.x());
    const int row = step(from.y(), to.y());
    if (grid.IsCellOrigin(r.x(), r.y()) && !changed)
        return std::nullopt;
    return QRect(grid.CellTopLeft(column, row), r.size());
}

std::optional<QRect> SnapResize(const SnapInput& in, KeyCursorZone mode, const CKeySheetGrid& grid)
{
    const QRect& r = in.rect;
    int w = in.pointer.x() + in.pressSize.width() - in.click.x();
    int h = in.pointer.y() + in.pressSize.height() - in.click.y();
    if (in.alt) {
        w = std::min(w, in.canvas.width() - r.x());
        h = std::min(h, in.canvas.height() - r.y());
    } else {
        const QPoint first = grid.CellAt(r.x(), r.y());
        const QPoint last = grid.CellAt(Right(r), Bottom(r));
        const QPoint cell = grid.CellAt(r.x() + w, r.y() + h);
        if (cell.x() < first.x() || cell.y() < first.y())
            return std::nullopt;
        if (cell == last && !grid.IsLastCell(cell.x(), cell.y()))
            return std::nullopt;
        const QPoint corner = grid.CellBottomRight(cell.x(), cell.y());
        w = corner.x() - r.x();
        h = corner.y() - r.y();
    }
    const bool widthMode =
        mode == KeyCursorZone::SizeHorizontal || mode == KeyCursorZone::SizeDiagonal;
    const bool heightMode =
        mode == KeyCursorZone::SizeVertical || mode == KeyCursorZone::SizeDiagonal;
    const int right = widthMode ? r.x() + std::max(w, kMinKeySide) : Right(r);
    const int bottom = heightMode ? r.y() + std::max(h, kMinKeySide) : Bottom(r);
    return QRect(r.x(), r.y(), right - r.x(), bottom - r.y());
}

} // namespace kesmond
