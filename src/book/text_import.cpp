#include "text_import.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "codec.h"

namespace qob {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kGb18030Bom = "\x84\x31\x95\x33";
constexpr std::string_view kUtf16LittleEndianBom = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianBom = "\xFE\xFF";

constexpr std::size_t kLongestChapterHeading = 40;
// Headings are short, and the regex engine recurses once per character, so
// a long line is never tried against a pattern.
constexpr std::size_t kLongestPatternHeading = 200;

// Besides ASCII white space, the ideographic space (indenting Chinese
// paragraphs) and the no-break space, as UTF-8.
constexpr std::string_view kWideSpaces[] = {"\xE3\x80\x80", "\xC2\xA0"};

bool IsAsciiSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::size_t SpaceAtFront(std::string_view text) {
    if (!text.empty() && IsAsciiSpace(text.front())) return 1;
    for (std::string_view space : kWideSpaces) {
        if (text.starts_with(space)) return space.size();
    }
    return 0;
}

std::size_t SpaceAtBack(std::string_view text) {
    if (!text.empty() && IsAsciiSpace(text.back())) return 1;
    for (std::string_view space : kWideSpaces) {
        if (text.ends_with(space)) return space.size();
    }
    return 0;
}

std::string_view Trim(std::string_view line) {
    while (const std::size_t n = SpaceAtFront(line)) line.remove_prefix(n);
    while (const std::size_t n = SpaceAtBack(line)) line.remove_suffix(n);
    return line;
}

bool IsBlank(std::string_view line) { return Trim(line).empty(); }

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// A group matching any one of `choices`. Written as alternatives, since a
// bracket expression would take a UTF-8 character apart into its bytes.
std::string AnyOf(std::initializer_list<std::string_view> choices) {
    std::string group = "(?:";
    for (std::string_view choice : choices) {
        if (group.size() > 3) group += '|';
        group += choice;
    }
    return group + ')';
}

std::string ChapterPattern() {
    const std::string space = AnyOf({" ", "\\t", "　"}) + '*';
    const std::string number = AnyOf({"[0-9]", "０", "１", "２", "３", "４", "５", "６", "７", "８", "９", "零", "〇", "○",
                                      "一", "二", "两", "三", "四", "五", "六", "七", "八", "九", "十", "百", "千", "万"}) +
                               '+';
    const std::string unit = AnyOf({"章", "回", "节", "節", "卷", "集", "部", "篇"});
    return "^(?:第" + space + number + space + unit + "|卷" + space + number +
           "|chapter[ \\t]+(?:[0-9]+|[ivxlcdm]+)\\b)";
}

struct DecodedText {
    TextEncoding encoding;
    std::string utf8;
};

DecodedText Decode(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) return {TextEncoding::Utf8, std::string(bytes.substr(kUtf8Bom.size()))};
    if (bytes.starts_with(kGb18030Bom)) {
        return {TextEncoding::Gb18030, Gb18030ToUtf8(bytes.substr(kGb18030Bom.size()))};
    }
    if (IsValidUtf8(bytes)) return {TextEncoding::Utf8, std::string(bytes)};
    return {TextEncoding::Gb18030, Gb18030ToUtf8(bytes)};
}

bool IsPlainText(std::string_view bytes) {
    return bytes.find('\0') == std::string_view::npos && !bytes.starts_with(kUtf16LittleEndianBom) &&
           !bytes.starts_with(kUtf16BigEndianBom);
}

// Lines end at "\r\n", "\n" or a lone "\r"; the breaks are dropped.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(begin));
            return lines;
        }
        lines.push_back(text.substr(begin, end - begin));
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        begin = end + (crlf ? 2 : 1);
    }
}

// An article still as lines: its title and the range [first, end) of its
// content lines.
struct Draft {
    std::string_view title;
    std::size_t first;
    std::size_t end;
};

std::vector<Draft> Drafts(const std::vector<std::string_view>& lines, const HeadingRule& rule) {
    std::vector<Draft> drafts{{kForewordTitle, 0, 0}};
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = Trim(lines[n]);
        if (line.empty() || !rule.IsHeading(line)) continue;
        drafts.back().end = n;
        drafts.push_back({line, n + 1, 0});
    }
    drafts.back().end = lines.size();
    return drafts;
}

// The lines joined with "\r\n", without the blank lines at both ends.
std::string ContentOf(const std::vector<std::string_view>& lines, std::size_t first, std::size_t end) {
    while (first < end && IsBlank(lines[first])) ++first;
    while (end > first && IsBlank(lines[end - 1])) --end;
    std::string content;
    for (std::size_t n = first; n < end; ++n) {
        if (n > first) content += "\r\n";
        content += lines[n];
    }
    return content;
}

}  // namespace

HeadingRule::HeadingRule(std::shared_ptr<const std::regex> pattern, std::size_t longestLine,
                         std::vector<std::string_view> openings)
    : pattern_(std::move(pattern)), longestLine_(longestLine), openings_(std::move(openings)) {}

HeadingRule HeadingRule::Chapters() {
    static const auto pattern =
        std::make_shared<const std::regex>(ChapterPattern(), std::regex::ECMAScript | std::regex::icase);
    return HeadingRule(pattern, kLongestChapterHeading, {"第", "卷", "c", "C"});
}

std::optional<HeadingRule> HeadingRule::FromPattern(const std::string& pattern) {
    try {
        return HeadingRule(std::make_shared<const std::regex>(pattern, std::regex::ECMAScript), kLongestPatternHeading,
                           {});
    } catch (const std::regex_error&) {
        return std::nullopt;
    }
}

bool HeadingRule::IsHeading(std::string_view line) const {
    const auto opens = [line](std::string_view opening) { return line.starts_with(opening); };
    if (!openings_.empty() && std::none_of(openings_.begin(), openings_.end(), opens)) return false;
    if (CharacterCount(line) > longestLine_) return false;
    try {
        return std::regex_search(line.begin(), line.end(), *pattern_);
    } catch (const std::regex_error&) {
        return false;  // too complex for this line: take it as text
    }
}

ImportedText ImportPlainText(std::string_view fileBytes, std::string_view untitledTitle, const HeadingRule& rule) {
    if (!IsPlainText(fileBytes)) return {ImportOutcome::NotText, TextEncoding::Utf8, {}};
    const DecodedText decoded = Decode(fileBytes);
    ImportedText imported{ImportOutcome::Ok, decoded.encoding, {}};
    const std::vector<std::string_view> lines = SplitLines(decoded.utf8);
    std::vector<Draft> drafts = Drafts(lines, rule);
    if (drafts.size() == 1) drafts.front().title = untitledTitle;
    for (const Draft& draft : drafts) {
        std::string content = ContentOf(lines, draft.first, draft.end);
        const bool isForeword = &draft == &drafts.front();
        if (isForeword && content.empty()) continue;
        imported.articles.Append({Utf8ToGb18030(draft.title), Utf8ToGb18030(content)});
    }
    return imported;
}

}  // namespace qob
