#include "util/lm_string.h"

#include <gtest/gtest.h>

namespace zephyrin {
namespace {

TEST(ReplaceChar, ReplacesEveryOccurrenceAndKeepsTheRest) {
    EXPECT_EQ(ReplaceChar("0,25", ',', '.'), "0.25");
    EXPECT_EQ(ReplaceChar("1.5.6", '.', ','), "1,5,6");
    EXPECT_EQ(ReplaceChar("no separator", ',', '.'), "no separator");
    EXPECT_EQ(ReplaceChar("", ',', '.'), "");
}

}  // namespace
}  // namespace zephyrin
