#include "monitor/MonButtonTable.h"

#include <iterator>

namespace mervolt {

namespace {

constexpr uint kRight = 1;
constexpr uint kLeft = 2;

const ButtonColorRow kRows[] = {
    {33002, QColor(211, 191, 255), kLeft, 0, 4, 0}, // help
    {23048, QColor(191, 201, 255), kLeft, 1, 4, 0}, // insert
    {23047, QColor(191, 201, 255), kLeft, 2, 4, 0}, // delete
    {23199, QColor(191, 201, 255), kLeft, 3, 4, 0}, // update
    {1, QColor(191, 201, 255), kRight, 1, 4, 0},    // OK
    {2, QColor(255, 191, 191), kRight, 0, 4, 0},    // cancel / back
};

} // namespace

const CButtonTable& MonButtonTable()
{
    static const CButtonTable table{kRows, int(std::size(kRows)), {}};
    return table;
}

} // namespace mervolt
