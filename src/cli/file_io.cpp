#include "file_io.h"

#include "file_source.h"
#include "safe_file.h"

namespace qob::cli {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) { return ReadRegularFile(path.string()); }

bool WriteFileWhole(const std::filesystem::path& target, std::string_view bytes) {
    SafeFileWriter writer(target.string());
    if (!writer.IsOpen()) return false;
    writer.Append(bytes.data(), bytes.size());
    return writer.Commit();
}

}  // namespace qob::cli
