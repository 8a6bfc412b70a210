#include "foundation/BundleInfo.h"

#include <gtest/gtest.h>

using foundation::BundleInfo;

TEST(FoundationTest, AnOverrideReplacesTheTableWhileItLives)
{
    {
        const BundleInfo::Override outer({{BundleInfo::nameKey, QStringLiteral("Outer")}});
        EXPECT_EQ(BundleInfo::stringForKey(BundleInfo::nameKey), "Outer");
        EXPECT_EQ(BundleInfo::identifier(), std::nullopt);
        {
            // Only text counts as a string entry.
            const BundleInfo::Override inner({{BundleInfo::nameKey, 12}});
            EXPECT_EQ(BundleInfo::objectForInfoDictionaryKey(BundleInfo::nameKey), 12);
            EXPECT_EQ(BundleInfo::stringForKey(BundleInfo::nameKey), std::nullopt);
        }
        EXPECT_EQ(BundleInfo::stringForKey(BundleInfo::nameKey), "Outer");
    }
    EXPECT_EQ(BundleInfo::stringForKey(BundleInfo::nameKey), "Pelorama");
}
