#include "functions/FcButtonTable.h"

#include <iterator>

namespace kesmond {

namespace {

constexpr uint kRight = 1;
constexpr uint kLeft = 2;
constexpr uint kColourOnly = 3; // Adjust leaves the button where it is

const ButtonColorRow kRows[] = {
    {33002, FromColorRef(0xFFBFD3), kLeft, 0, 2, 0, ButtonPlacement{kLeft, 0, 3, 0}}, // help
    {33004, std::nullopt, kLeft, 1, 2, 0, std::nullopt},                              // initialize
    {23048, FromColorRef(0xFFC9BF), kRight, 3, 4, 0, std::nullopt},                   // insert
    {23047, FromColorRef(0xFFC9BF), kRight, 2, 4, 0, std::nullopt},                   // delete
    {23097, std::nullopt, kRight, 3, 4, 0, std::nullopt},
    {23098, std::nullopt, kRight, 2, 4, 0, std::nullopt},
    {1, FromColorRef(0xFFC9BF), kRight, 1, 4, 0, ButtonPlacement{kLeft, 1, 3, 0}}, // OK / change
    {2, FromColorRef(0xBFBFFF), kRight, 0, 4, 0, ButtonPlacement{kLeft, 2, 3, 0}}, // cancel / back
    {23050, std::nullopt, kColourOnly, 0, 0, 0, std::nullopt},                     // move up
    {23051, std::nullopt, kColourOnly, 0, 0, 0, std::nullopt},                     // move down
};

} // namespace

QColor FromColorRef(unsigned colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

const CButtonTable& FcButtonTable()
{
    static const CButtonTable table{kRows, int(std::size(kRows)), {}};
    return table;
}

} // namespace kesmond
