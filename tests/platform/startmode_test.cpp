#include "platform/startmode.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(StartMode, OnlyAnExactSwitchAsTheOnlyArgumentCounts)
{
    struct Case {
        std::vector<std::string> args;
        StartMode mode;
    };
    const Case cases[] = {
        {{}, StartMode::Normal},
        {{"/Download"}, StartMode::Download},
        {{"/DownloadF"}, StartMode::DownloadF},
        {{"/Update"}, StartMode::Update},
        {{"/download"}, StartMode::Normal},  // compared case-sensitively
        {{"/Update "}, StartMode::Normal},   // exactly
        {{"/Update", "x"}, StartMode::Normal}, // not the only argument
        {{"anything"}, StartMode::Normal},
    };
    for (const Case &c : cases)
        EXPECT_EQ(startModeFromArguments(c.args), c.mode)
            << (c.args.empty() ? std::string("(none)") : c.args[0]);
}

TEST(StartMode, OpeningAMissingDocumentFails)
{
    EXPECT_FALSE(openDocument("/nonexistent/folder/Orvane2.txt"));
}

} // namespace
} // namespace orv
