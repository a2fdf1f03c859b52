#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Registers this executable as the handler of ".qob" files for the current
// user. Runs at every start; a failure is silent and stops at the first
// entry that could not be written. `programPath` is the absolute path of the
// executable in the file system's 8-bit encoding (UTF-8 on Linux, the ANSI
// code page on Windows).
void RegisterFileAssociation(const std::string& programPath);

namespace qob::association {

// Writes the entries in order and stops at the first one that fails; gives
// how many were written.
template <typename Entry, typename Write>
std::size_t WriteUntilFirstFailure(const std::vector<Entry>& entries, Write write) {
    std::size_t written = 0;
    while (written < entries.size() && write(entries[written])) ++written;
    return written;
}

// Windows: default values of keys under HKEY_CLASSES_ROOT, as ANSI text.
struct RegistryEntry {
    std::string key;  // relative to the root, no trailing backslash
    std::string value;
    bool operator==(const RegistryEntry&) const = default;
};

// The class `qob.vark` for ".qob", its open verb (captioned in code page
// 936), its command and its icon. The command quotes both the program and
// the file, so that paths with spaces reach the program whole.
std::vector<RegistryEntry> RegistryEntries(std::string_view programPath);

// Freedesktop: files under the user's data and config directories.
struct XdgDirs {
    std::string dataHome;    // $XDG_DATA_HOME, default ~/.local/share
    std::string configHome;  // $XDG_CONFIG_HOME, default ~/.config
};

// From the environment's values (null when unset). A relative or empty
// value is ignored, as the base directory rules ask; none without a home.
std::optional<XdgDirs> XdgDirsFrom(const char* dataHome, const char* configHome, const char* home);

// The database a changed file must be refreshed in.
enum class Refresh { Nothing, MimeDatabase, DesktopDatabase };

struct FileEntry {
    std::string path;
    // What the file must hold, given what it holds now ("" when missing).
    std::function<std::string(std::string_view current)> contentFor;
    Refresh refresh = Refresh::Nothing;
};

// The MIME package, the desktop entry, the default handler line and the
// icon, in that order; none for a path that is not absolute.
std::vector<FileEntry> FreedesktopEntries(const std::string& programPath, const XdgDirs& dirs);

// The Exec value that runs the program on one file: the path quoted and
// escaped for a desktop entry, then " %f".
std::string DesktopExecValue(std::string_view programPath);
std::string DesktopEntry(std::string_view programPath);

// `mimeAppsList` with "application/x-qob=qob-editor.desktop" in its
// [Default Applications] group; every other line is kept as it is.
std::string WithDefaultHandler(std::string_view mimeAppsList);

struct FilesOutcome {
    std::size_t done = 0;            // entries now up to date, in order
    std::vector<Refresh> refreshes;  // for each changed file that needs one
};

// Writes each entry whose file differs from its content (a temporary file
// renamed over it), stopping at the first failure. Linux only.
FilesOutcome WriteFreedesktopFiles(const std::vector<FileEntry>& entries);

// Starts `argv` (argv[0] a path) fully detached: returns at once, leaves no
// child behind. False if it could not be started. Linux only.
bool RunDetached(const std::vector<std::string>& argv);

// The bundled files, also installed by `cmake --install`.
extern const std::string_view kMimePackage;
extern const std::string_view kDesktopEntryTemplate;  // Exec=@EXEC@
extern const std::string_view kIcon;                  // SVG

inline constexpr std::string_view kMimeType = "application/x-qob";
inline constexpr std::string_view kDesktopFileName = "qob-editor.desktop";

}  // namespace qob::association
