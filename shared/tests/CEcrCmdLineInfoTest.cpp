#include "shared/config/CEcrCmdLineInfo.h"

#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct CommandLineCase
{
    QStringList arguments;
    QStringList options;
    QStringList paths;
};

void PrintTo(const CommandLineCase& c, std::ostream* os)
{
    *os << "arguments \"" << c.arguments.join(QStringLiteral("\" \"")).toStdString() << "\"";
}

class CEcrCmdLineInfoTable : public ::testing::TestWithParam<CommandLineCase>
{
};

TEST_P(CEcrCmdLineInfoTable, SplitsSwitchesFromParametersInOrder)
{
    const CommandLineCase& c = GetParam();
    CEcrCmdLineInfo info;
    info.ParseArguments(c.arguments);
    QStringList options, paths;
    for (int i = 0; i < info.GetOptionCount(); ++i)
        options << info.GetOptionAt(i);
    for (int i = 0; i < info.GetPathNameCount(); ++i)
        paths << info.GetPathNameAt(i);
    EXPECT_EQ(options, c.options);
    EXPECT_EQ(paths, c.paths);
    EXPECT_EQ(info.GetParamCount(), c.arguments.size());
    // Past either end, and before the start, is the empty text.
    EXPECT_EQ(info.GetOptionAt(int(c.options.size())), "");
    EXPECT_EQ(info.GetPathNameAt(int(c.paths.size())), "");
    EXPECT_EQ(info.GetOptionAt(-1), "");
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CEcrCmdLineInfoTable,
    ::testing::Values(
        CommandLineCase{{"/P", "/EASY", "x"}, {"P", "EASY"}, {"x"}},
        CommandLineCase{{"-S"}, {"S"}, {}},
        // One argument with blanks stays one path; a path is never a switch.
        CommandLineCase{{"/home/u/My Files/a.crx"}, {}, {"/home/u/My Files/a.crx"}},
        CommandLineCase{{"OES", "/tmp/a.crx", "/tmp/data"}, {}, {"OES", "/tmp/a.crx", "/tmp/data"}},
        CommandLineCase{{"/P_RES", "-WINPOS", "/tmp/"}, {"P_RES", "WINPOS"}, {"/tmp/"}},
        CommandLineCase{{}, {}, {}}));

TEST(CEcrCmdLineInfo, ParseParamCountsBothKinds)
{
    CEcrCmdLineInfo info;
    info.ParseParam("RM", true, false);
    info.ParseParam("file", false, false);
    info.ParseParam("EASY", true, true);
    EXPECT_EQ(info.GetOptionAt(0), "RM");
    EXPECT_EQ(info.GetOptionAt(1), "EASY");
    EXPECT_EQ(info.GetPathNameAt(0), "file");
    EXPECT_EQ(info.GetParamCount(), 3);
}

} // namespace
