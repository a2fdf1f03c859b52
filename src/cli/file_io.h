#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qob::cli {

// The whole file's bytes, or nothing when it is not a regular file that can be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Replaces `target` whole or leaves it as it was, like the book writer, so
// a failed write never leaves a partial file under the target's name.
bool WriteFileWhole(const std::filesystem::path& target, std::string_view bytes);

}  // namespace qob::cli
