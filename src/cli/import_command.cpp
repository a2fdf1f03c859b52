// qob import: a plain-text file split into articles at its chapter headings.
#include <filesystem>
#include <ostream>
#include <system_error>

#include "commands.h"
#include "file_io.h"
#include "text_import.h"

namespace qob::cli {

namespace {

const char* EncodingName(TextEncoding encoding) { return encoding == TextEncoding::Utf8 ? "UTF-8" : "GB18030"; }

// The text file's bytes, or nothing after saying why they cannot be read.
std::optional<std::string> ReadTextFile(const std::string& path, Console& console) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        Fail(console, path + " is a directory");
        return std::nullopt;
    }
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) Fail(console, "cannot open " + path);
    return bytes;
}

}  // namespace

int RunImport(const Operands& operands, const std::optional<std::string>& heading, Console& console) {
    const std::string& textPath = operands[0];
    const std::string& bookPath = operands[1];
    const std::optional<HeadingRule> rule = heading ? HeadingRule::FromPattern(*heading) : HeadingRule::Chapters();
    if (!rule) {
        console.err << "qob: import: --heading '" << *heading << "' is not a valid ECMAScript regular expression\n";
        return kUsageError;
    }
    const std::optional<std::string> bytes = ReadTextFile(textPath, console);
    if (!bytes) return kFailure;
    const ImportedText imported =
        ImportPlainText(*bytes, std::filesystem::path(textPath).stem().string(), *rule);
    if (imported.outcome == ImportOutcome::NotText) {
        return Fail(console, textPath + " is not UTF-8 or GB18030 text (it holds NUL bytes or is UTF-16)");
    }
    if (imported.articles.Empty()) return Fail(console, textPath + " holds no text; no book was written");
    if (WriteBook(bookPath, imported.articles) != WriteOutcome::Ok) return Fail(console, "cannot write " + bookPath);
    console.out << "articles: " << imported.articles.Count() << "\nencoding: " << EncodingName(imported.encoding)
                << '\n';
    return kSuccess;
}

}  // namespace qob::cli
