// SplitCommandLine on arbitrary lines. Besides ending and not crashing:
// - the line ends at its first NUL, and no argument holds one;
// - the arguments are pieces of the line, in order, never longer in all;
// - arguments that can be quoted come back unchanged when they are
//   written out quoted, one per pair of quotes, after a program name.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "fuzz_check.h"

namespace {

using Arguments = std::vector<std::string>;

bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 128; }

void CheckPiecesInOrder(std::string_view line, const Arguments& arguments) {
    std::size_t position = 0;
    std::size_t total = 0;
    for (const std::string& argument : arguments) {
        FUZZ_CHECK(argument.find('\0') == std::string::npos);
        const std::size_t found = line.find(argument, position);
        FUZZ_CHECK(found != std::string_view::npos);
        position = found + argument.size();
        total += argument.size();
    }
    FUZZ_CHECK(total <= line.size());
}

// Quotable: walking it character by character (a lead byte takes the next
// byte with it) meets no quote and no lead byte cut off at the end.
bool Quotable(std::string_view argument) {
    for (std::size_t n = 0; n < argument.size(); ++n) {
        if (argument[n] == '"') return false;
        if (IsLeadByte(argument[n]) && ++n == argument.size()) return false;
    }
    return true;
}

void CheckQuotedRoundTrip(const Arguments& arguments) {
    std::string line = "qob.exe";
    for (const std::string& argument : arguments) {
        if (!Quotable(argument)) return;
        line += " \"" + argument + "\"";
    }
    FUZZ_CHECK(SplitCommandLine(line) == arguments);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const Arguments arguments = SplitCommandLine(line);
    FUZZ_CHECK(SplitCommandLine(line.substr(0, line.find('\0'))) == arguments);
    CheckPiecesInOrder(line, arguments);
    CheckQuotedRoundTrip(arguments);
    return 0;
}
