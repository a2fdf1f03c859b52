#include "counted_layout.h"

#include <cstdint>
#include <limits>

#include "keystream.h"
#include "safe_file.h"

namespace qob {

namespace {

constexpr std::size_t kLargestField = std::numeric_limits<std::int32_t>::max();

bool FitsCountedLayout(const ArticleList& articles) {
    if (articles.Count() > kLargestField) return false;
    for (const Article& article : articles) {
        if (article.title.size() > kLargestField || article.content.size() > kLargestField) {
            return false;
        }
    }
    return true;
}

void AppendNumber(SafeFileWriter& file, std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(bits),
        static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16),
        static_cast<std::uint8_t>(bits >> 24),
    };
    file.Append(bytes, sizeof bytes);
}

void AppendField(SafeFileWriter& file, const Text& text, SharedKeystream* keystream) {
    AppendNumber(file, static_cast<std::int32_t>(text.size()));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    if (keystream == nullptr) {
        file.Append(bytes, text.size());
        return;
    }
    auto field = keystream->Begin(text.size());
    file.AppendThrough(bytes, text.size(),
                       [&field](std::uint8_t* out, const std::uint8_t* in, std::size_t n) {
                           field.Xor(out, in, n);
                       });
}

}  // namespace

WriteOutcome WriteCountedLayout(const std::string& path, std::string_view magic,
                                const ArticleList& articles, std::optional<BookKey> key) {
    if (!FitsCountedLayout(articles)) return WriteOutcome::CannotCreate;
    SafeFileWriter file(path);
    if (!file.IsOpen()) return WriteOutcome::CannotCreate;
    file.Append(magic.data(), magic.size());
    AppendNumber(file, static_cast<std::int32_t>(articles.Count()));
    std::optional<SharedKeystream> keystream;
    if (key) {
        AppendNumber(file, *key);
        keystream.emplace(KeyText(*key));
    }
    SharedKeystream* cipher = keystream ? &*keystream : nullptr;
    for (const Article& article : articles) {
        AppendField(file, article.title, cipher);
        AppendField(file, article.content, cipher);
    }
    return file.Commit() ? WriteOutcome::Ok : WriteOutcome::CannotCreate;
}

}  // namespace qob
