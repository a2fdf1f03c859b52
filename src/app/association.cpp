#include "association.h"

#include <algorithm>
#include <iterator>

namespace qob::association {

namespace {

constexpr std::string_view kDefaultGroup = "[Default Applications]";
constexpr std::string_view kExecPlaceholder = "@EXEC@";
constexpr const char* kOpenVerbCaption = "\xB4\xF2\xBF\xAA";  // 打开, code page 936

std::string_view Trim(std::string_view text) {
    constexpr std::string_view kBlank = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

// Each line with its terminator; a last line without one is kept too.
std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size() - 1) + 1;
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return lines;
}

bool IsGroupHeader(std::string_view line) { return Trim(line).starts_with('['); }

std::string_view KeyOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view{} : Trim(line.substr(0, equals));
}

std::string_view TerminatorOf(std::string_view line) { return line.ends_with("\r\n") ? "\r\n" : "\n"; }

void EndLine(std::string& text) {
    if (!text.empty() && !text.ends_with('\n')) text += '\n';
}

std::function<std::string(std::string_view)> Fixed(std::string content) {
    return [content = std::move(content)](std::string_view) { return content; };
}

std::optional<std::string> AbsoluteDir(const char* value) {
    if (value == nullptr || value[0] != '/') return std::nullopt;
    return std::string(value);
}

std::optional<std::string> BaseDir(const char* value, const std::optional<std::string>& home,
                                   std::string_view underHome) {
    if (auto dir = AbsoluteDir(value)) return dir;
    if (!home) return std::nullopt;
    return *home + std::string(underHome);
}

}  // namespace

std::vector<RegistryEntry> RegistryEntries(std::string_view programPath) {
    std::string path(programPath);
    std::replace(path.begin(), path.end(), '/', '\\');
    return {
        {".qob", "qob.vark"},
        {"qob.vark\\shell\\open", kOpenVerbCaption},
        {"qob.vark\\shell\\open\\command", "\"" + path + "\" \"%1\""},
        {"qob.vark\\DefaultIcon", path + ",0"},
    };
}

std::optional<XdgDirs> XdgDirsFrom(const char* dataHome, const char* configHome, const char* home) {
    const std::optional<std::string> homeDir = AbsoluteDir(home);
    std::optional<std::string> data = BaseDir(dataHome, homeDir, "/.local/share");
    std::optional<std::string> config = BaseDir(configHome, homeDir, "/.config");
    if (!data || !config) return std::nullopt;
    return XdgDirs{std::move(*data), std::move(*config)};
}

std::string DesktopExecValue(std::string_view programPath) {
    // Inside quotes the arguments parser wants \ before " ` $ and \; the
    // whole value is then escaped once more as a string, which doubles every
    // backslash. A literal % is written %%.
    std::string exec = "\"";
    for (const char byte : programPath) {
        switch (byte) {
        case '"':
        case '`':
        case '$': exec += "\\\\"; exec += byte; break;
        case '\\': exec += "\\\\\\\\"; break;
        case '%': exec += "%%"; break;
        case '\n': exec += "\\n"; break;
        case '\t': exec += "\\t"; break;
        case '\r': exec += "\\r"; break;
        default: exec += byte;
        }
    }
    return exec + "\" %f";
}

std::string DesktopEntry(std::string_view programPath) {
    std::string entry(kDesktopEntryTemplate);
    const std::size_t at = entry.find(kExecPlaceholder);
    if (at != std::string::npos) entry.replace(at, kExecPlaceholder.size(), DesktopExecValue(programPath));
    return entry;
}

std::string WithDefaultHandler(std::string_view mimeAppsList) {
    const std::string handler = std::string(kMimeType) + '=' + std::string(kDesktopFileName);
    const std::vector<std::string_view> lines = LinesOf(mimeAppsList);
    const auto header = std::find_if(lines.begin(), lines.end(),
                                     [](std::string_view line) { return Trim(line) == kDefaultGroup; });
    if (header == lines.end()) {
        std::string result(mimeAppsList);
        EndLine(result);
        return result + std::string(kDefaultGroup) + '\n' + handler + '\n';
    }
    const auto groupEnd = std::find_if(std::next(header), lines.end(), IsGroupHeader);
    const auto found = std::find_if(std::next(header), groupEnd,
                                    [](std::string_view line) { return KeyOf(line) == kMimeType; });
    const auto existing = found == groupEnd ? lines.end() : found;
    std::string result;
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        if (line == existing) {
            result += handler;
            result += TerminatorOf(*line);
            continue;
        }
        result += *line;
        if (line == header && existing == lines.end()) {
            EndLine(result);
            result += handler + '\n';
        }
    }
    return result;
}

std::vector<FileEntry> FreedesktopEntries(const std::string& programPath, const XdgDirs& dirs) {
    if (!programPath.starts_with('/')) return {};
    return {
        {dirs.dataHome + "/mime/packages/x-qob.xml", Fixed(std::string(kMimePackage)), Refresh::MimeDatabase},
        {dirs.dataHome + "/applications/" + std::string(kDesktopFileName), Fixed(DesktopEntry(programPath)),
         Refresh::DesktopDatabase},
        {dirs.configHome + "/mimeapps.list", [](std::string_view current) { return WithDefaultHandler(current); },
         Refresh::Nothing},
        {dirs.dataHome + "/icons/hicolor/scalable/apps/qob-editor.svg", Fixed(std::string(kIcon)), Refresh::Nothing},
    };
}

}  // namespace qob::association
