#include "foundation/Diagnostics.h"

#include "foundation/Fatal.h"

#include <gtest/gtest.h>

TEST(FoundationTest, DiagnosticsArePrefixedSingleLines)
{
    testing::internal::CaptureStdout();
    foundation::warning("resource was modified during reading!");
    foundation::note("rendering in software");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Warning: resource was modified during reading!\nNote: rendering in software\n");
}

TEST(FoundationTest, FatalPrintsTheMessageAndAborts)
{
    EXPECT_DEATH(foundation::fatal("Wrong object type"), "Fatal error: Wrong object type");
}
