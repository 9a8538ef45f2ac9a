#include "images/PellarkButtonTable.h"

#include <iterator>

namespace pellark {

namespace {

constexpr uint kRight = 1;
constexpr uint kLeft = 2;
const QColor kViolet(211, 191, 255);
const QColor kBlue(191, 201, 255);
const QColor kRed(255, 191, 191);

const ButtonColorRow kRows[] = {
    {33002, kViolet, kLeft, 0, 1, 0}, // help
    {23005, kBlue, kLeft, 0, 1, 0},   // open image file (editor)
    {23008, kBlue, kRight, 4, 5, 0},  // grey / mono (editor)
    {23006, kBlue, kRight, 3, 5, 0},  // zoom in (editor)
    {23007, kBlue, kRight, 2, 5, 0},  // zoom out (editor)
    {23002, kBlue, kRight, 2, 5, 0},  // delete (list)
    {1, kBlue, kRight, 1, 5, 0},      // OK / change
    {2, kRed, kRight, 0, 5, 0},       // cancel / back
};

} // namespace

const CButtonTable& PellarkButtonTable()
{
    static const CButtonTable table{kRows, int(std::size(kRows)), {}};
    return table;
}

} // namespace pellark
