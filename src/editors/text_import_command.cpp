// The reader's "导入文本": a plain-text file split into articles, handed
// to the make window to be checked and generated.
#include <QFileInfo>
#include <optional>

#include "book_text.h"
#include "file_source.h"
#include "make_window.h"
#include "prompter.h"
#include "reader_window.h"
#include "text_import.h"

namespace {

const QString kTextFilter = QStringLiteral("文本文件(*.txt)|*.txt");
const QString kCannotOpenMessage = QStringLiteral("打开文本文件失败,请检查文件是否正常!");
const QString kNotTextMessage = QStringLiteral("此文件不是UTF-8或GB18030编码的文本文件,无法导入!");
const QString kNothingMessage = QStringLiteral("文本文件中没有内容,没有可导入的文章!");

// The articles of the text file at `path`, or nothing after saying why
// there are none.
std::optional<qob::ArticleList> ImportArticles(const QString& path) {
    const std::optional<std::string> bytes = qob::ReadRegularFile(PathForLibrary(path));
    if (!bytes) {
        Prompts().Message(kCannotOpenMessage, MessageIcon::Stop);
        return std::nullopt;
    }
    const std::string untitled = QFileInfo(path).completeBaseName().toStdString();
    qob::ImportedText imported = qob::ImportPlainText(*bytes, untitled, qob::HeadingRule::Chapters());
    if (imported.outcome == qob::ImportOutcome::NotText) {
        Prompts().Message(kNotTextMessage, MessageIcon::Stop);
        return std::nullopt;
    }
    if (imported.articles.Empty()) {
        Prompts().Message(kNothingMessage, MessageIcon::Stop);
        return std::nullopt;
    }
    return std::move(imported.articles);
}

}  // namespace

void ReaderWindow::ImportTextFile() {
    FileRequest request;
    request.filter = kTextFilter;
    request.initialPath = lastImportPath_;
    const std::optional<QString> path = Prompts().ChooseFile(request);
    if (!path || path->isEmpty()) return;
    lastImportPath_ = *path;
    if (const std::optional<qob::ArticleList> articles = ImportArticles(*path)) MakeWindow::OpenModalWith(*articles);
}
