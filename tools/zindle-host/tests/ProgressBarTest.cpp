#include "tools/zindle-host/ProgressBar.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zindlehost {
namespace {

TEST(ProgressBar, RedrawsInPlaceOnlyWhenThePercentageMovesAndErasesItself)
{
    std::ostringstream terminal;
    {
        ProgressBar bar(terminal, true, 1000, "rendering");
        EXPECT_EQ(terminal.str(), "\r\033[Krendering [........................................] 0%");
        terminal.str("");
        bar.update(4); // still 0 %
        EXPECT_EQ(terminal.str(), "");
        bar.update(500);
        EXPECT_EQ(terminal.str(), "\r\033[Krendering [####################....................] 50%");
        terminal.str("");
        bar.update(5000);
        EXPECT_EQ(terminal.str(), "\r\033[Krendering [########################################] 100%");
        terminal.str("");
    }
    EXPECT_EQ(terminal.str(), "\r\033[K") << "the line is left empty for what follows";
}

TEST(ProgressBar, OffATerminalItWritesNothing)
{
    std::ostringstream pipe;
    {
        ProgressBar bar(pipe, false, 1000, "rendering");
        bar.update(500);
        bar.finish();
    }
    std::ostringstream empty;
    {
        ProgressBar bar(empty, true, 0, "rendering");
        bar.update(0);
    }
    EXPECT_EQ(pipe.str(), "");
    EXPECT_EQ(empty.str(), "") << "nothing to do, nothing to show";
}

} // namespace
} // namespace zindlehost
