#pragma once

#include <QStringList>

// A list of texts that sorts itself ascending without regard to case; texts
// that compare equal keep their order.
class CSortStringArrayW : public QStringList
{
public:
    using QStringList::QStringList;
    CSortStringArrayW(const QStringList& list) : QStringList(list) {}

    void Sort();
};
