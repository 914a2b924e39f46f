#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "data/token.h"

namespace {

// Every token until the end.
std::vector<std::string> drain(cToken& t)
{
    std::vector<std::string> out;
    while (const char* s = t.next()) out.push_back(s);
    return out;
}

using Tokens = std::vector<std::string>;

}  // namespace

TEST(Token, DelimitersAndModes)
{
    cToken semi("a;b;;c", ";");
    EXPECT_EQ((Tokens{"a", "b", "", "c"}), drain(semi));
    EXPECT_EQ(nullptr, semi.next());

    cToken lines("a\n\nb\r\rc\r\n", ";", true);
    EXPECT_EQ((Tokens{"a", "", "b", "", "c"}), drain(lines));

    cToken white(" a  b\t\r\nc ", ";");
    white.setWhiteSpaceDelimiter();
    EXPECT_EQ((Tokens{"", "a", "b", "c"}), drain(white));
    // Switching back to delimiters ends white-space mode.
    white.set("a b;c", ";");
    white.setWhiteSpaceDelimiter();
    white.setDelimiter(";");
    EXPECT_EQ((Tokens{"a b", "c"}), drain(white));

}

TEST(Token, ResetFromItsOwnTokenAndSharing)
{
    cToken t;
    // A token of the old text is a valid argument: the copy is made before the old text goes.
    t.set("one two;three", ";");
    t.set(t.next(), " ");
    EXPECT_EQ((Tokens{"one", "two"}), drain(t));

    // Copies share text and position, and outlive the original.
    cToken* original = new cToken("a;b;c", ";");
    cToken copy(*original);
    EXPECT_STREQ("a", copy.next());
    EXPECT_STREQ("b", original->next());
    delete original;
    EXPECT_STREQ("c", copy.next());
    copy = copy;
    original = new cToken("r", ";");
    copy = *original;
    original->set("s", ";");  // a new text is seen by every sharing object
    delete original;
    EXPECT_STREQ("s", copy.next());
}
