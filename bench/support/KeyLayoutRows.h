#pragma once

// The key-layout benchmarks' layout: pages of side x side keys of one cell
// size on a grid from (2, 2) with gaps 1 and 3, each page with its tab.

#include "functions/keylayout/CButtonProperty.h"

#include <QSize>

inline void MakeKeyLayoutRows(int pages, int side, const QSize& page, const QSize& cell,
                              kesmond::CButtonPropertyArray& sheet,
                              kesmond::CButtonPropertyArray& strip)
{
    for (int number = 1; number <= pages; ++number) {
        auto row = std::make_unique<kesmond::CButtonProperty>();
        row->m_strControlType = "ItemSheet";
        row->m_nSheetNumber = number;
        row->m_nSheetArrange = 1;
        row->m_strCode = QString::number(900000 + number);
        row->m_nWidth = page.width();
        row->m_nHeight = page.height();
        auto tab = std::make_unique<kesmond::CButtonProperty>(*row);
        tab->m_strControlType = "Normal";
        tab->m_strMenuType = "1";
        tab->m_strMenuDeptLink = "0";
        tab->m_strMenuLayout = "1";
        tab->m_nX = number * 10;
        tab->m_nWidth = 10;
        tab->m_nHeight = 40;
        strip.push_back(std::move(tab));
        sheet.push_back(std::move(row));
        for (int k = 0; k < side * side; ++k) {
            auto key = std::make_unique<kesmond::CButtonProperty>();
            key->m_nSheetNumber = number;
            key->m_nSheetArrange = 1;
            key->m_strCode = QStringLiteral("%1").arg(number * 10000 + k, 16, 10, QLatin1Char('0'));
            key->m_strLabel = QStringLiteral("K%1").arg(k);
            key->m_nX = 2 + (k % side) * (cell.width() + 1);
            key->m_nY = 2 + (k / side) * (cell.height() + 3);
            key->m_nWidth = cell.width();
            key->m_nHeight = cell.height();
            key->m_nForeColor = int(0xFFA1A9B6u);
            key->m_nBackColor = -1;
            sheet.push_back(std::move(key));
        }
    }
}
