#include "find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>

#include "book_text.h"
#include "list_box.h"
#include "reader_window.h"

namespace {

const QString kNotFound = QStringLiteral("未找到");
const QString kFound = QStringLiteral("共找到%1处");
const QString kCapped = QStringLiteral("超过%1处,只列出前%1处");
const QString kBookChanged = QStringLiteral("书已改动,已重新查找:");
constexpr QSize kBarSize(380, 320);
constexpr int kGapToReaderEdge = 24;
constexpr int kDropBelowReaderTop = 120;

// The number of positions `bytes` take in the pane's document once shown:
// the document counts "\r\n" as one break, like a lone "\r".
int ShownLength(std::string_view bytes) {
    QString shown = ShowText(bytes);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return static_cast<int>(shown.size());
}

void SelectInPane(QPlainTextEdit* pane, std::string_view content, const qob::SearchHit& hit) {
    const int start = ShownLength(content.substr(0, hit.offset));
    QTextCursor cursor(pane->document());
    cursor.setPosition(start);
    cursor.setPosition(start + ShownLength(content.substr(hit.offset, hit.length)), QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
    pane->centerCursor();
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

qob::Text OnOneLine(qob::Text text) {
    std::replace_if(text.begin(), text.end(), IsLineBreak, ' ');
    return text;
}

// The hit's snippet, with an ellipsis where it cuts its line short.
qob::Text SnippetOf(const qob::Text& content, const qob::SearchHit& hit, const qob::Text& ellipsis) {
    const bool cutBefore = hit.snippetBegin > 0 && !IsLineBreak(content[hit.snippetBegin - 1]);
    const bool cutAfter = hit.snippetEnd < content.size() && !IsLineBreak(content[hit.snippetEnd]);
    return (cutBefore ? ellipsis : qob::Text()) + content.substr(hit.snippetBegin, hit.snippetEnd - hit.snippetBegin) +
           (cutAfter ? ellipsis : qob::Text());
}

// "【title】snippet" for a hit in a content, "【title】(标题)" for one in a
// title, as book bytes for the list box.
std::vector<qob::Text> HitTexts(const qob::ArticleList& book, const std::vector<qob::SearchHit>& hits) {
    const qob::Text open = StoreText(QStringLiteral("【"));
    const qob::Text close = StoreText(QStringLiteral("】"));
    const qob::Text inTitle = StoreText(QStringLiteral("(标题)"));
    const qob::Text ellipsis = StoreText(QStringLiteral("…"));
    std::vector<qob::Text> texts;
    texts.reserve(hits.size());
    for (const qob::SearchHit& hit : hits) {
        const qob::Article& article = book.At(hit.article);
        const qob::Text where =
            hit.field == qob::BookField::Title ? inTitle : SnippetOf(article.content, hit, ellipsis);
        texts.push_back(open + OnOneLine(article.title) + close + where);
    }
    return texts;
}

QPushButton* AddButton(QWidget* bar, QLayout* row, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, bar);
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

}  // namespace

FindBar::FindBar(ReaderWindow& reader)
    : QWidget(&reader, Qt::Tool),
      reader_(reader),
      needleBox_(new QLineEdit(this)),
      status_(new QLabel(this)),
      hitList_(new ListBox(this)) {
    setObjectName(QStringLiteral("FindBar"));
    setWindowTitle(QStringLiteral("查找"));
    needleBox_->setObjectName(QStringLiteral("查找编辑框"));
    status_->setObjectName(QStringLiteral("查找结果标签"));
    hitList_->setObjectName(QStringLiteral("查找结果列表框"));

    auto* row = new QHBoxLayout;
    row->addWidget(needleBox_, 1);
    QPushButton* previous = AddButton(this, row, "上一个按钮", QStringLiteral("上一个"));
    QPushButton* next = AddButton(this, row, "下一个按钮", QStringLiteral("下一个"));
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(status_);
    column->addWidget(hitList_, 1);
    resize(kBarSize);

    connect(needleBox_, &QLineEdit::returnPressed, this, &FindBar::GoToNext);
    connect(previous, &QPushButton::clicked, this, &FindBar::GoToPrevious);
    connect(next, &QPushButton::clicked, this, &FindBar::GoToNext);
    connect(hitList_, &ListBox::UserSelected, this, &FindBar::GoToHit);
}

QString FindBar::Status() const { return status_->text(); }

void FindBar::Open() {
    PlaceBesideReader();
    show();
    raise();
    activateWindow();
    needleBox_->setFocus();
    needleBox_->selectAll();
}

// Over the top right of the reading pane the first time; where the user
// left it afterwards.
void FindBar::PlaceBesideReader() {
    if (placed_) return;
    placed_ = true;
    const QRect reader = reader_.frameGeometry();
    move(reader.right() - width() - kGapToReaderEdge, reader.top() + kDropBelowReaderTop);
}

void FindBar::Search() {
    needle_ = StoreText(needleBox_->text());
    searched_ = true;
    ListHits(qob::SearchBook(reader_.OpenBook(), needle_));
}

void FindBar::ListHits(const qob::SearchResult& result) {
    hits_ = result.hits;
    hitList_->Reset(HitTexts(reader_.OpenBook(), hits_));
    const auto count = static_cast<qulonglong>(hits_.size());
    if (needle_.empty()) {
        status_->clear();
    } else if (result.capped) {
        status_->setText(kCapped.arg(count));
    } else {
        status_->setText(hits_.empty() ? kNotFound : kFound.arg(count));
    }
}

bool FindBar::NeedleChanged() const { return !searched_ || StoreText(needleBox_->text()) != needle_; }

void FindBar::GoToNext() { Step(+1); }

void FindBar::GoToPrevious() { Step(-1); }

void FindBar::Step(int direction) {
    if (NeedleChanged()) Search();
    if (hits_.empty()) {
        Open();
        return;
    }
    const int count = HitCount();
    const int current = hitList_->Selection();
    if (current < 0) {
        GoToHit(direction > 0 ? 0 : count - 1);
    } else {
        GoToHit((current + direction + count) % count);
    }
}

void FindBar::GoToHit(int index) {
    if (index < 0 || index >= HitCount()) return;
    const qob::SearchHit hit = hits_[static_cast<std::size_t>(index)];
    // The book may have been edited, closed or replaced since the search.
    if (!qob::HitStillHolds(reader_.OpenBook(), hit, needle_)) {
        Search();
        status_->setText(kBookChanged + status_->text());
        return;
    }
    hitList_->SetSelection(index);
    ShowInReader(hit);
}

void FindBar::ShowInReader(const qob::SearchHit& hit) {
    ListBox* contents = reader_.TableOfContents();
    contents->SetSelection(static_cast<long long>(hit.article));
    if (contents->Selection() != static_cast<int>(hit.article)) return;
    reader_.ShowSelectedArticle();
    QPlainTextEdit* pane = reader_.ReadingPane();
    if (hit.field == qob::BookField::Content) {
        SelectInPane(pane, reader_.OpenBook().At(hit.article).content, hit);
    } else {
        pane->moveCursor(QTextCursor::Start);
    }
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The reader's ways into the bar.

FindBar& ReaderWindow::Finder() {
    if (!findBar_) findBar_ = new FindBar(*this);
    return *findBar_;
}

void ReaderWindow::FindInBook() { Finder().Open(); }

void ReaderWindow::FindNext() { Finder().GoToNext(); }

void ReaderWindow::FindPrevious() { Finder().GoToPrevious(); }
