#pragma once

#include "testsupport/TestFolders.h"

#include <gtest/gtest.h>

#include <QString>

namespace crxtest {

// A test with its own XDG folders and a scratch folder for its files.
class ScratchFixture : public ::testing::Test
{
protected:
    korvane::test::TestFolders folders;
    QString dir = folders.scratch();
    QString Path(const QString& name) const { return dir + QLatin1Char('/') + name; }
};

} // namespace crxtest
