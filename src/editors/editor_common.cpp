#include "editor_common.h"

#include <QEventLoop>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

#include "book_text.h"
#include "form_control.h"
#include "list_box.h"
#include "window_frame.h"

EditorWindow::EditorWindow(const char* roleName, const QString& title, QSize outer)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
    setObjectName(QString::fromUtf8(roleName));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    KeepOuterSize(this, outer, WindowBorder::Fixed);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void EditorWindow::BringToFront() {
    showNormal();
    raise();
    activateWindow();
}

void EditorWindow::AddCloseButton(const QRect& place) {
    connect(NewButton("按钮1", QStringLiteral("关闭"), place), &QPushButton::clicked, this, &QWidget::close);
}

QPushButton* EditorWindow::NewButton(const char* name, const QString& caption, const QRect& place) {
    return Placed(new QPushButton(caption, this), name, place);
}

void RunModal(EditorWindow* window) {
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->show();
    loop.exec(QEventLoop::DialogExec);
}

QGroupBox* AddGroupBox(QWidget* parent, const char* name, const QString& caption, const QRect& place) {
    return Placed(new QGroupBox(caption, parent), name, place);
}

QLineEdit* AddTitleBox(QWidget* parent, const char* name, const QRect& place) {
    return Placed(new QLineEdit(parent), name, place);
}

QPlainTextEdit* AddContentBox(QWidget* parent, const char* name, const QRect& place) {
    auto* box = Placed(new QPlainTextEdit(parent), name, place);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(15);
    box->setFont(font);
    return box;
}

ListBox* AddListBox(QWidget* parent, const char* name, const QRect& place) {
    return Placed(new ListBox(parent), name, place);
}

ScratchArea::ScratchArea(QLineEdit* titleBox, QPlainTextEdit* contentBox)
    : titleBox_(titleBox), contentBox_(contentBox) {}

qob::Article ScratchArea::Read() const { return {BoxText(titleBox_), BoxText(contentBox_)}; }

qob::Text ScratchArea::Title() const { return BoxText(titleBox_); }

void ScratchArea::Show(const qob::Article& article) {
    SetBoxText(titleBox_, article.title);
    SetBoxText(contentBox_, article.content);
}

void ScratchArea::Clear() { Show({}); }

TitledArticles::TitledArticles(qob::ArticleList& articles, std::vector<ListBox*> boxes)
    : articles_(articles), boxes_(std::move(boxes)) {}

const qob::Article& TitledArticles::At(long long position) const {
    return articles_.At(static_cast<std::size_t>(position));
}

void TitledArticles::Insert(long long position, const qob::Article& article) {
    if (!articles_.Insert(position, article)) return;
    for (ListBox* box : boxes_) box->Insert(position, article.title);
}

void TitledArticles::Remove(long long position) {
    if (!articles_.Remove(position)) return;
    for (ListBox* box : boxes_) box->Remove(position);
}

void TitledArticles::Replace(long long position, const qob::Article& article) {
    if (!Contains(position)) return;
    articles_.At(static_cast<std::size_t>(position)) = article;
    for (ListBox* box : boxes_) box->SetText(position, article.title);
}

void TitledArticles::Clear() {
    articles_.Clear();
    for (ListBox* box : boxes_) box->Clear();
}

void SelectAfterRemoval(ListBox* box, int removed) {
    box->SetSelection(removed - 1);
    if (box->Selection() < 0) box->SetSelection(0);
}
