// Help and usage errors: they must not depend on any file existing.
#include <gtest/gtest.h>

#include "qob_test_support.h"

namespace qob::test {
namespace {

enum class Stream { Out, Err };

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    int status;
    Stream stream;      // where the text is expected; the other stays empty
    std::string needle;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class UsageTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageTest, GivesStatusAndText) {
    const UsageCase& c = GetParam();
    const QobRun run = RunQob(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    const std::string& expected = c.stream == Stream::Out ? run.out : run.err;
    const std::string& other = c.stream == Stream::Out ? run.err : run.out;
    EXPECT_NE(expected.find(c.needle), std::string::npos) << expected;
    EXPECT_EQ(other, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageTest,
    testing::Values(
        UsageCase{"NoArguments", {}, 2, Stream::Err, "usage: qob COMMAND"},
        UsageCase{"Help", {"--help"}, 0, Stream::Out, "usage: qob COMMAND"},
        UsageCase{"ShortHelp", {"-h"}, 0, Stream::Out, "export rux|custom BOOK OUT"},
        UsageCase{"UnknownCommand", {"read", "x.qob"}, 2, Stream::Err, "unknown command 'read'"},
        UsageCase{"InfoHelp", {"info", "--help"}, 0, Stream::Out, "usage: qob info BOOK"},
        UsageCase{"ListHelp", {"list", "-h"}, 0, Stream::Out, "usage: qob list BOOK"},
        UsageCase{"ShowHelp", {"show", "--help"}, 0, Stream::Out, "usage: qob show BOOK N"},
        UsageCase{"UnpackHelp", {"unpack", "--help"}, 0, Stream::Out, "usage: qob unpack BOOK DIR"},
        UsageCase{"PackHelp", {"pack", "--help"}, 0, Stream::Out, "usage: qob pack DIR BOOK"},
        UsageCase{"ExportHelp", {"export", "--help"}, 0, Stream::Out, "usage: qob export rux|custom"},
        UsageCase{"HelpAfterOperands", {"info", "missing.qob", "--help"}, 0, Stream::Out, "usage: qob info"},
        UsageCase{"MissingOperand", {"info"}, 2, Stream::Err, "usage: qob info BOOK"},
        UsageCase{"TooManyOperands", {"list", "a.qob", "b.qob"}, 2, Stream::Err, "too many operands"},
        UsageCase{"UnknownOption", {"info", "--verbose", "a.qob"}, 2, Stream::Err, "unknown option '--verbose'"},
        UsageCase{"ArticleNumberZero", {"show", "a.qob", "0"}, 2, Stream::Err, "usage: qob show"},
        UsageCase{"ArticleNumberNotANumber", {"show", "a.qob", "3rd"}, 2, Stream::Err, "not '3rd'"},
        UsageCase{"ArticleNumberNegative", {"show", "a.qob", "--", "-1"}, 2, Stream::Err, "not '-1'"},
        UsageCase{"ArticleNumberTooLarge", {"show", "a.qob", "99999999999999999999999"}, 2, Stream::Err,
                  "usage: qob show"},
        UsageCase{"UnknownLayout", {"export", "pdf", "a.qob", "a.pdf"}, 2, Stream::Err, "unknown layout 'pdf'"},
        UsageCase{"DashDashEndsOptions", {"info", "--", "--help"}, 1, Stream::Err, "cannot open --help"}),
    [](const testing::TestParamInfo<UsageCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qob::test
