#pragma once

#include <QStringList>

// A string list that sorts itself without regard to case, keeping the order
// of names that compare equal ("A" before "a" when listed so).
class CSortStringArray : public QStringList
{
public:
    void Sort();
};
