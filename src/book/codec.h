#pragma once

#include <string>
#include <string_view>

namespace qob {

// Book bytes (GB18030) to UTF-8. Bytes that are not valid GB18030 become
// U+FFFD, so showing a text never fails.
std::string Gb18030ToUtf8(std::string_view bytes);

// UTF-8 to GB18030. GB18030 covers all of Unicode; invalid UTF-8 input
// becomes '?'.
std::string Utf8ToGb18030(std::string_view utf8);

// Well-formed UTF-8: no overlong forms, surrogates or code points past
// U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Stored texts break lines with "\r\n", the screen and text files with "\n".
std::string CrlfToLf(std::string_view text);
std::string LfToCrlf(std::string_view text);

}  // namespace qob
