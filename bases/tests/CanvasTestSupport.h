#pragma once

// What the canvas tests share: the suite's INI (text is drawn in the
// fixed-pitch face it names) and pixel counts.

#include "testsupport/SuiteFixture.h"

#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

inline int BlackIn(const QImage& image, const QRect& area)
{
    int black = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            black += image.pixel(x, y) == kBlack;
    return black;
}

inline bool InsideIsWhite(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != kWhite)
                return false;
    return true;
}

class CanvasTest : public testing::Test
{
protected:
    void SetUp() override { m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n"); }

    SuiteFixture m_suite;
};
