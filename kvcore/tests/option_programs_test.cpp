// The calculator and screen-saver programs come from "kv32.ini"; nothing configured or a
// program that cannot start gives false.
#include <gtest/gtest.h>

#include "kvcore/session/option_programs.h"
#include "support/scratch_dir.h"

namespace {

TEST(OptionPrograms, ConfiguredProgramsStartAndMissingOnesDoNot)
{
    kvtest::ScratchIniDir dir;
    EXPECT_EQ(KvOptionProgramCommand(KvOptionProgram::Calculator), "");
    dir.Write("kv32.ini", "[programs]\nCalculator=true --ignored\nScreenSaver=\n");
    EXPECT_EQ(KvOptionProgramCommand(KvOptionProgram::Calculator), "true --ignored");
    EXPECT_EQ(KvOptionProgramCommand(KvOptionProgram::ScreenSaver), "");
    EXPECT_TRUE(KvStartProgram(KvOptionProgramCommand(KvOptionProgram::Calculator), "-S"));
    EXPECT_FALSE(KvStartProgram(KvOptionProgramCommand(KvOptionProgram::ScreenSaver), "-S"));
    EXPECT_FALSE(KvStartProgram("   "));
    EXPECT_FALSE(KvStartProgram("/nonexistent/kv-no-such-program"));
}

} // namespace
