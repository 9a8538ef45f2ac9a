#include "testsupport/LayoutCheck.h"

#include <gtest/gtest.h>

namespace korvane::test {

LayoutWatch::LayoutWatch()
    : LayoutWatcher([](const QString& fault) { ADD_FAILURE() << fault.toStdString(); })
{
}

} // namespace korvane::test
