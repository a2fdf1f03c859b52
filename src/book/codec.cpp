// Placeholder until the codec lands.
#include "codec.h"
namespace qob {
std::string Gb18030ToUtf8(std::string_view b) { return std::string(b); }
std::string Utf8ToGb18030(std::string_view u) { return std::string(u); }
std::string CrlfToLf(std::string_view t) { return std::string(t); }
std::string LfToCrlf(std::string_view t) { return std::string(t); }
}
