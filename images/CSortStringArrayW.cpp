#include "images/CSortStringArrayW.h"

#include <algorithm>

void CSortStringArrayW::Sort()
{
    std::stable_sort(begin(), end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}
