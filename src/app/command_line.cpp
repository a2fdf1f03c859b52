#include "command_line.h"

#include <algorithm>

namespace {

constexpr char kQuote = '"';
constexpr char kSpace = ' ';

bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 128; }

// Bytes 1..32: space, tab and the other control characters.
bool IsSeparator(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 1 && value <= 32;
}

bool IsNotQuote(char byte) { return byte != kQuote; }
bool IsNotSpace(char byte) { return byte != kSpace; }
bool IsPlainByte(char byte) { return !IsSeparator(byte) && byte != kQuote; }

// Walks the line character by character: a lead byte and the byte after it
// are one character, whatever that second byte is.
class Cursor {
public:
    explicit Cursor(std::string_view line) : line_(line.substr(0, line.find('\0'))) {}

    bool AtEnd() const { return position_ >= line_.size(); }
    char Peek() const { return line_[position_]; }

    void SkipIf(char byte) {
        if (!AtEnd() && Peek() == byte) ++position_;
    }

    // Takes characters while their first byte satisfies `keep`.
    template <typename Keep>
    std::string_view TakeWhile(Keep keep) {
        const std::size_t start = position_;
        while (!AtEnd() && keep(Peek())) Step();
        return line_.substr(start, position_ - start);
    }

private:
    void Step() { position_ = std::min(position_ + (IsLeadByte(Peek()) ? 2 : 1), line_.size()); }

    std::string_view line_;
    std::size_t position_ = 0;
};

void SkipProgramName(Cursor& cursor) {
    if (cursor.AtEnd()) return;
    if (cursor.Peek() == kQuote) {
        cursor.SkipIf(kQuote);
        cursor.TakeWhile(IsNotQuote);
        cursor.SkipIf(kQuote);
    } else {
        cursor.TakeWhile(IsNotSpace);
    }
    cursor.SkipIf(kSpace);
}

std::string_view TakeQuotedArgument(Cursor& cursor) {
    cursor.SkipIf(kQuote);
    const std::string_view argument = cursor.TakeWhile(IsNotQuote);
    cursor.SkipIf(kQuote);
    return argument;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
    Cursor cursor(line);
    SkipProgramName(cursor);
    std::vector<std::string> arguments;
    while (!cursor.AtEnd()) {
        const char byte = cursor.Peek();
        if (IsSeparator(byte)) {
            cursor.SkipIf(byte);
        } else if (byte == kQuote) {
            arguments.emplace_back(TakeQuotedArgument(cursor));
        } else {
            arguments.emplace_back(cursor.TakeWhile(IsPlainByte));
        }
    }
    return arguments;
}
