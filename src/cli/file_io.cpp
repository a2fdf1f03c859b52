#include "file_io.h"

#include <fstream>
#include <iterator>

#include "safe_file.h"

namespace qob::cli {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool WriteFileWhole(const std::filesystem::path& target, std::string_view bytes) {
    SafeFileWriter writer(target.string());
    if (!writer.IsOpen()) return false;
    writer.Append(bytes.data(), bytes.size());
    return writer.Commit();
}

}  // namespace qob::cli
