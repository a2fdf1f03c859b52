#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using Args = std::vector<std::string>;
using namespace std::string_view_literals;

struct SplitCase {
    const char* name;
    std::string_view line;
    Args expected;
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.name; }

// "\xB4\xF2" is a double-byte character; its second byte may be anything.
const SplitCase kSplitCases[] = {
    // The program's own name.
    {"empty line", ""sv, {}},
    {"name only", "qob.exe"sv, {}},
    {"name and one space", "qob.exe "sv, {}},
    {"unquoted name ends at the first space", "qob.exe a.qob"sv, {"a.qob"}},
    {"unquoted name keeps a tab", "qob\t.exe a"sv, {"a"}},
    {"unquoted name keeps quotes", "q\"o b\" c"sv, {"b", " c"}},
    {"quoted name with spaces", "\"C:\\My Books\\qob.exe\" a.qob"sv, {"a.qob"}},
    {"quoted name skips one space only", "\"qob.exe\"  a"sv, {"a"}},
    {"quoted name without closing quote", "\"C:\\qob.exe a.qob"sv, {}},
    {"quoted name glued to an argument", "\"qob.exe\"a.qob"sv, {"a.qob"}},
    {"lead byte in the name takes a quote", "\"q\xB4\"\" a"sv, {"a"}},
    {"lead byte in the name takes a space", "q\xB4 x a"sv, {"a"}},
    // Separators.
    {"spaces between arguments", "qob a   b"sv, {"a", "b"}},
    {"control bytes separate", "qob a\tb\nc\x01" "d\x1f" "e"sv, {"a", "b", "c", "d", "e"}},
    {"leading and trailing separators", "qob \t a \t "sv, {"a"}},
    {"byte 127 is ordinary", "qob a\x7f" "b"sv, {"a\x7f" "b"}},
    // Quoted arguments.
    {"quoted argument keeps spaces", "qob \"D:\\My Books\\a.qob\""sv, {"D:\\My Books\\a.qob"}},
    {"two quotes give an empty argument", "qob \"\""sv, {""}},
    {"four quotes give two empty arguments", "qob \"\"\"\""sv, {"", ""}},
    {"unclosed quote runs to the end", "qob \"a b"sv, {"a b"}},
    {"lone quote at the end", "qob a \""sv, {"a", ""}},
    {"quote right after a plain argument", "qob ab\"c d\"e"sv, {"ab", "c d", "e"}},
    {"plain argument after a closing quote", "qob \"a\"b"sv, {"a", "b"}},
    {"quoted tab and control bytes kept", "qob \"a\tb\x01\""sv, {"a\tb\x01"}},
    // No escapes.
    {"backslash before a quote is ordinary", "qob \"a\\\" b"sv, {"a\\", "b"}},
    {"trailing backslashes kept", "qob C:\\dir\\ x"sv, {"C:\\dir\\", "x"}},
    // Double-byte characters.
    {"double-byte argument", "qob \xB4\xF2\xBF\xAA"sv, {"\xB4\xF2\xBF\xAA"}},
    {"second byte may be a space", "qob \xB4 b"sv, {"\xB4 b"}},
    {"second byte may be a quote", "qob \xB4\"b c"sv, {"\xB4\"b", "c"}},
    {"second byte may be a quote inside quotes", "qob \"\xB4\" b\""sv, {"\xB4\" b"}},
    {"second byte may be a control byte", "qob \xB4\tb"sv, {"\xB4\tb"}},
    {"second byte may be a lead byte", "qob \xB4\xB4\xB4 x"sv, {"\xB4\xB4\xB4 x"}},
    {"trailing lead byte is kept", "qob ab\xB4"sv, {"ab\xB4"}},
    {"trailing lead byte alone", "qob \xB4"sv, {"\xB4"}},
    {"trailing lead byte inside quotes", "qob \"a\xB4"sv, {"a\xB4"}},
    {"trailing lead byte in the name", "qob\xB4"sv, {}},
    // The text ends at NUL.
    {"NUL ends the line", "qob a\0b"sv, {"a"}},
    {"NUL inside quotes ends the line", "qob \"a\0b\" c"sv, {"a"}},
    {"NUL after a lead byte ends the line", "qob a\xB4\0b"sv, {"a\xB4"}},
    {"NUL first gives nothing", "\0qob a"sv, {}},
};

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, SplitsByTheRules) {
    EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, SplitCommandLineTest, testing::ValuesIn(kSplitCases));

// Every prefix of a line full of traps must split, and splitting must never
// read past the view: the view here is cut out of a longer buffer.
TEST(SplitCommandLine, EveryPrefixTerminatesWithinTheView) {
    const std::string buffer = "\"q\xB4\" \xB4\"a\" \"\"b\"\xFF";
    for (std::size_t length = 0; length <= buffer.size(); ++length) {
        const std::string_view prefix(buffer.data(), length);
        std::size_t bytes = 0;
        for (const std::string& argument : SplitCommandLine(prefix)) bytes += argument.size();
        EXPECT_LE(bytes, length) << "prefix length " << length;
    }
}

}  // namespace
