// Regular-expression search over UTF-8 texts.

#include "platform/core/regular_expression.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::RegularExpression;

TEST(RegularExpression, FindsTheFirstMatchAnywhere) {
    const auto digits = RegularExpression::withPattern(R"(([0-9]+)(?:-([a-z]+))?)");
    ASSERT_TRUE(digits.has_value());
    const auto match = digits->firstMatch("abc 12-xy 34");
    ASSERT_TRUE(match.has_value());
    ASSERT_EQ(match->groups.size(), 3u);
    EXPECT_EQ(match->groups[0], "12-xy");
    EXPECT_EQ(match->groups[1], "12");
    EXPECT_EQ(match->groups[2], "xy");
    const auto alone = digits->firstMatch("7");
    ASSERT_TRUE(alone.has_value());
    EXPECT_EQ(alone->groups[1], "7");
    EXPECT_FALSE(alone->groups[2].has_value());   // took no part in the match
    EXPECT_FALSE(digits->firstMatch("no digits").has_value());
    EXPECT_FALSE(digits->firstMatch("").has_value());
}

TEST(RegularExpression, GroupsAreByteRangesOfTheUtf8Text) {
    const auto word = RegularExpression::withPattern(R"(д(а+))");
    ASSERT_TRUE(word.has_value());
    const std::string text = "ёж, даа!";
    const auto match = word->firstMatch(text);
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->groups[0], "даа");
    EXPECT_EQ(match->groups[1], "аа");
    EXPECT_EQ(match->groups[0]->data(), text.data() + text.find("даа"));
}

TEST(RegularExpression, DigitClassesAndHostileTexts) {
    // \d is any decimal digit; [0-9] only the ASCII ones.
    const auto any = RegularExpression::withPattern(R"(\d+)");
    const auto ascii = RegularExpression::withPattern("[0-9]+");
    ASSERT_TRUE(any && ascii);
    EXPECT_TRUE(any->firstMatch("٣٤").has_value());   // Arabic-Indic three, four
    EXPECT_FALSE(ascii->firstMatch("٣٤").has_value());
    // Invalid UTF-8 and NUL bytes are searched, not refused.
    const std::string hostile("\xff\xfe" "12\0" "3", 6);
    const auto found = ascii->firstMatch(hostile);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->groups[0], "12");
    // Catastrophic backtracking ends within the work bound, with no match.
    const auto slow = RegularExpression::withPattern("(a+)+b");
    ASSERT_TRUE(slow.has_value());
    EXPECT_FALSE(slow->firstMatch(std::string(40, 'a')).has_value());
}

TEST(RegularExpression, InvalidPatternsAreRefused) {
    EXPECT_FALSE(RegularExpression::withPattern("(unclosed").has_value());
    EXPECT_FALSE(RegularExpression::withPattern("[z-a]").has_value());
}

} // namespace
