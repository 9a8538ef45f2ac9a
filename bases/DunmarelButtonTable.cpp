#include "bases/DunmarelButtonTable.h"

namespace dunmarel {

namespace {

constexpr uint kRight = 1;
constexpr uint kLeft = 2;

const ButtonColorRow kRows[] = {
    {33002, QColor(211, 191, 255), kLeft, 0, 2, 0}, // help
    {1, QColor(191, 201, 255), kRight, 1, 4, 0},    // OK
    {2, QColor(255, 191, 191), kRight, 0, 4, 0},    // cancel
};

} // namespace

const CButtonTable& DunmarelButtonTable()
{
    static const CButtonTable table{kRows, int(std::size(kRows)), {}};
    return table;
}

} // namespace dunmarel
