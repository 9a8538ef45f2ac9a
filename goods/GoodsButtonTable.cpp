#include "goods/GoodsButtonTable.h"

#include "shared/config/CBasePath.h"

namespace brelkin {

namespace {

constexpr uint kRight = 1;
constexpr uint kLeft = 2;
constexpr uint kFloatingPrice = 23049;
constexpr int kCleaningItems = 9; // window kind P_CL

// Colours as 0x00BBGGRR.
QColor FromColorRef(unsigned colorRef)
{
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

const ButtonColorRow kRows[] = {
    {33002, FromColorRef(0xFFBFD3), kLeft, 0, 2, 0},  // help
    {23048, FromColorRef(0xFFC9BF), kRight, 3, 6, 0}, // insert
    {23047, FromColorRef(0xFFC9BF), kRight, 2, 6, 0}, // delete
    {23027, std::nullopt, kRight, 5, 6, 0},           // print
    {23028, std::nullopt, kRight, 4, 6, 0},           // search
    {1, FromColorRef(0xFFC9BF), kRight, 1, 6, 0},     // OK / update
    {2, FromColorRef(0xBFBFFF), kRight, 0, 6, 0},     // cancel / back
    {kFloatingPrice, std::nullopt, kLeft, 1, 2, 0},
    {23083, FromColorRef(0xFFC9BF), kRight, 2, 6, 1}, // export
    {23080, FromColorRef(0xFFC9BF), kRight, 1, 6, 1}, // import
    {23204, FromColorRef(0xFFC9BF), kRight, 0, 6, 1}, // delete all
};

} // namespace

const CButtonTable& GoodsButtonTable()
{
    static const CButtonTable table{kRows, int(std::size(kRows)), [](uint ctrlId, int windowKind) {
                                        return ctrlId != kFloatingPrice ||
                                               (CBasePath::GetProductMode() == 1 &&
                                                windowKind == kCleaningItems);
                                    }};
    return table;
}

} // namespace brelkin
