#include "shared/dialogs/FileDialogFilter.h"

#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

TEST(FileDialogFilter, TurnsPairsIntoQtFilters)
{
    const struct
    {
        const char* pairs;
        const char* filter;
    } cases[] = {
        {"Setting archive (*.crx)|*.crx||", "Setting archive (*.crx)"},
        {"Setting archive|*.crx|All files|*.*||", "Setting archive (*.crx);;All files (*.*)"},
        // Several patterns: ";" between them in the pair, " " in Qt's group.
        {"Pictures (*.bmp;*.png)|*.bmp;*.png||", "Pictures (*.bmp *.png)"},
        {"Pictures|*.bmp; *.png|", "Pictures (*.bmp *.png)"},
        // A description whose parentheses say something else keeps them.
        {"Archives (packed)|*.crx", "Archives (packed) (*.crx)"},
        {"|*.crx||", "(*.crx)"},
        // Nothing usable: no filter at all, so the chooser shows every file.
        {"", ""},
        {"Setting archive", ""},
        {"Setting archive||", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileDialogFilter(QString::fromUtf8(c.pairs)), QString::fromUtf8(c.filter))
            << c.pairs;
}
