#pragma once

#include <QStringList>

namespace tovanel {

// What a partial write packs beyond the header: the tables whose rows are
// added or updated, the tables replaced whole, the tables written as their
// difference against the diff base archive, the five media groups (each
// packed when 1) and whether the table data is left out.
struct CrxPartialWrite
{
    QStringList addList;
    QStringList replaceList;
    QStringList diffList;
    int movie = 1;
    int fullScreen = 1;
    int halfScreen = 1;
    int itemImages = 1;
    int recommend = 1;
    int noDataInfo = 0;
};

} // namespace tovanel
