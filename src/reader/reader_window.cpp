// The reader window's form, its menus and toolbar, start-up steps, opening,
// showing, paging, closing and saving a book, and its layout on resize.
#include "reader_window.h"

#include <QCoreApplication>
#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <span>

#include "association.h"
#include "book_file.h"
#include "book_text.h"
#include "common_dialog.h"
#include "form_control.h"
#include "list_box.h"
#include "prompter.h"
#include "reader_icons.h"
#include "trim.h"
#include "window_frame.h"

namespace {

const QString kWindowTitle = QStringLiteral("QOB电子书编辑器V1.27");
constexpr QSize kDesignedOuterSize(884, 650);
// Qt's own limit for widget sizes is far larger; the form keeps to this one.
constexpr int kLargestSize = 32627;

const QString kCannotOpenMessage = QStringLiteral("打开电子书失败,请检查文件是否正常!");
const QString kNotABookMessage = QStringLiteral("此电子书格式不能识别,请选择后缀为qob的电子书格式文件!");
const QString kDamagedMessage = QStringLiteral("电子书文件已损坏,只读出了%1篇文章(文件记载共%2篇)!");
const QString kFirstChapterMessage = QStringLiteral("已经到了第一章了,不能再后退了");
const QString kLastChapterMessage = QStringLiteral("已经到底了,无法再往下");
const QString kSavedMessage = QStringLiteral("保存成功!");
const QString kSavedAsMessage = QStringLiteral("另存成功!");

using Command = void (ReaderWindow::*)();

struct ToolbarButton {
    const char* caption;  // nullptr: a separator
    const char* toolTip;  // "" for none
    int image;
    bool shown;
    Command command;      // nullptr: the button does nothing
};

// The toolbar in button order; the index of a row is the button's index.
constexpr ToolbarButton kToolbarButtons[] = {
    {"打开", "打开新电子书文件", 0, true, &ReaderWindow::OpenBookFromDialog},
    {"关闭", "关闭文件", 0, false, nullptr},
    {"上一章", "上一章", 3, true, &ReaderWindow::PreviousArticle},
    {"下一章", "下一章", 4, true, &ReaderWindow::NextArticle},
    {nullptr, "", 0, true, nullptr},
    {"保存", "保存当前电子书", 7, true, &ReaderWindow::SaveBook},
    {"另存", "另存", 7, true, &ReaderWindow::SaveBookAs},
    {"制作", "制作新电子书", 1, true, &ReaderWindow::OpenMakeWindowModeless},
    {"修改", "", 1, true, &ReaderWindow::OpenBookEditWindow},
    {nullptr, "", 0, true, nullptr},
    {"存为RUX", "", 7, true, &ReaderWindow::ExportRux},
    // A new row of buttons begins after this one; only hidden buttons follow.
    {"存为自定义", "", 7, true, &ReaderWindow::ExportCustomText},
    {"关于", "关于作者", 2, false, &ReaderWindow::OpenAboutWindow},
};

struct MenuEntry {
    const char* caption;  // nullptr: a separator
    Command command;
};

constexpr MenuEntry kFileMenu[] = {
    {"新建", &ReaderWindow::OpenMakeWindowModal},
    {"打开", &ReaderWindow::OpenBookFromDialog},
    {"保存", &ReaderWindow::SaveBook},
    {"另存", &ReaderWindow::SaveBookAs},
    {nullptr, nullptr},
    {"存为RUX", &ReaderWindow::ExportRux},
    {"存为自定义", &ReaderWindow::ExportCustomText},
    {"导入文本", &ReaderWindow::ImportTextFile},
    {nullptr, nullptr},
    {"关闭", &ReaderWindow::CloseBook},
    {"退出", &ReaderWindow::ExitProgram},
};

// The colour-scheme submenu and the find entry follow.
constexpr MenuEntry kReadingMenu[] = {
    {"上一章", &ReaderWindow::PreviousArticle},
    {"下一章", &ReaderWindow::NextArticle},
    {nullptr, nullptr},
    {"全选", &ReaderWindow::SelectAllText},
    {"复制", &ReaderWindow::CopySelection},
    {"粘贴", &ReaderWindow::PasteClipboard},
    {"剪切", &ReaderWindow::CutSelection},
    {nullptr, nullptr},
    {"阅览字体", &ReaderWindow::ChooseReadingFont},
    {"背景颜色", &ReaderWindow::ChooseBackgroundColor},
    {"文字放大", &ReaderWindow::ZoomIn},
    {"文字缩小", &ReaderWindow::ZoomOut},
};

constexpr MenuEntry kEditMenu[] = {
    {"制作", &ReaderWindow::OpenMakeWindowModal},
    {"修改", &ReaderWindow::OpenBookEditWindow},
};

constexpr MenuEntry kAboutMenu[] = {
    {"关于", &ReaderWindow::OpenAboutWindow},
};

constexpr int kColorSchemeCount = 5;

int Limited(int size) { return std::clamp(size, 0, kLargestSize); }

void SetWidth(QWidget* control, int width) { control->resize(Limited(width), control->height()); }
void SetHeight(QWidget* control, int height) { control->resize(control->width(), Limited(height)); }
void SetLeft(QWidget* control, int left) { control->move(left, control->y()); }

// A group box caption shows '&' as a mnemonic marker unless it is doubled.
QString CaptionText(const QString& text) {
    QString caption = text;
    return caption.replace(u'&', QStringLiteral("&&"));
}

QMenu* AddMenu(ReaderWindow* window, const QString& caption, std::span<const MenuEntry> entries) {
    QMenu* menu = window->menuBar()->addMenu(caption);
    for (const MenuEntry& entry : entries) {
        if (!entry.caption) {
            menu->addSeparator();
            continue;
        }
        QObject::connect(menu->addAction(QString::fromUtf8(entry.caption)), &QAction::triggered, window,
                         entry.command);
    }
    return menu;
}

// Returns the "  阅读" menu, which also pops up over the reading pane.
QMenu* BuildMenus(ReaderWindow* window) {
    AddMenu(window, QStringLiteral("  文件"), kFileMenu);
    QMenu* reading = AddMenu(window, QStringLiteral("  阅读"), kReadingMenu);
    QMenu* schemes = reading->addMenu(QStringLiteral("配色方案"));
    for (int scheme = 1; scheme <= kColorSchemeCount; ++scheme) {
        QObject::connect(schemes->addAction(QStringLiteral("方案%1").arg(scheme)), &QAction::triggered, window,
                         [window, scheme] { window->ApplyColorScheme(scheme); });
    }
    QObject::connect(reading->addAction(QStringLiteral("查找")), &QAction::triggered, window,
                     &ReaderWindow::FindInBook);
    AddMenu(window, QStringLiteral("  编辑"), kEditMenu);
    AddMenu(window, QStringLiteral("  说明"), kAboutMenu);
    return reading;
}

void BuildToolBar(ReaderWindow* window, QToolBar* bar) {
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(reader_icons::kImageSize, reader_icons::kImageSize));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolbarButton& button : kToolbarButtons) {
        if (!button.caption) {
            bar->addSeparator();
            continue;
        }
        QAction* action = bar->addAction(reader_icons::ToolbarImage(button.image), QString::fromUtf8(button.caption));
        const QString toolTip = QString::fromUtf8(button.toolTip);
        action->setToolTip(toolTip);
        action->setVisible(button.shown);
        if (button.command) QObject::connect(action, &QAction::triggered, window, button.command);
        // An action with an empty tool tip lends its button the caption
        // instead; a button that has none in the form must show nothing.
        if (QWidget* widget = bar->widgetForAction(action)) widget->setToolTip(toolTip);
    }
}

void BuildReadingPane(QPlainTextEdit* pane, QObject* rightButtonWatcher) {
    pane->setReadOnly(true);
    pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Articles can be many megabytes; an undo history would double them.
    pane->setUndoRedoEnabled(false);
    QPalette colours = pane->palette();
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Base, Qt::white);
    pane->setPalette(colours);
    // The right button opens the reading menu instead of the editor's own.
    pane->setContextMenuPolicy(Qt::PreventContextMenu);
    pane->viewport()->installEventFilter(rightButtonWatcher);
}

// The menu entries carry no shortcuts, so the find keys are the window's own.
void AddFindShortcuts(ReaderWindow* window) {
    const std::pair<QKeySequence, Command> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_F), &ReaderWindow::FindInBook},
        {QKeySequence(Qt::Key_F3), &ReaderWindow::FindNext},
        {QKeySequence(Qt::SHIFT | Qt::Key_F3), &ReaderWindow::FindPrevious},
    };
    for (const auto& [key, command] : keys) {
        QObject::connect(new QShortcut(key, window), &QShortcut::activated, window, command);
    }
}

// The first local file among the dropped ones; empty when there is none.
QString DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

void SetFontSize(QWidget* control, int points) {
    QFont font = control->font();
    font.setPointSize(points);
    control->setFont(font);
}

QString GreetingText(const QDate& today) {
    return QStringLiteral("欢迎使用,") +
           QStringLiteral("%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day());
}

void AddGreetingPane(QStatusBar* statusBar) {
    auto* pane = new QLabel(GreetingText(QDate::currentDate()), statusBar);
    pane->setFrameShape(QFrame::NoFrame);
    pane->setFixedWidth(200);
    statusBar->addWidget(pane);
}

}  // namespace

struct ReaderWindow::Form {
    QToolBar* toolBar = nullptr;          // 工具条1
    QLineEdit* pathBox = nullptr;         // 打开文件编辑框
    QPushButton* openButton = nullptr;    // 打开按钮
    CommonDialog* dialog = nullptr;       // 阅读通用对话框
    QGroupBox* contentsGroup = nullptr;   // 目录分组框
    ListBox* contents = nullptr;          // 目录列表框
    QGroupBox* articleGroup = nullptr;    // 分组框1
    QPlainTextEdit* pane = nullptr;       // 阅读编辑框
    QStatusBar* statusBar = nullptr;      // 状态条1
    QMenu* readingMenu = nullptr;         // "  阅读"
};

ReaderWindow::ReaderWindow(const QStringList& commandLineArgs, QWidget* parent)
    : QMainWindow(parent), form_(new Form), commandLineArgs_(commandLineArgs) {
    BuildForm();

    form_->contents->SetSelection(-1);
    SetFontSize(form_->pane, 11);
    RegisterFileAssociation(PathForLibrary(QCoreApplication::applicationFilePath()));
    OpenBookFromCommandLine();
    AddGreetingPane(form_->statusBar);
    ArrangeReaderControls();
}

ReaderWindow::~ReaderWindow() { delete form_; }

void ReaderWindow::BuildForm() {
    setObjectName(QStringLiteral("ReaderWindow"));
    setWindowTitle(kWindowTitle);
    setWindowIcon(reader_icons::WindowIcon());
    // No minimum window size: the layout clamps what would become negative.
    setMinimumSize(1, 1);
    KeepOuterSize(this, kDesignedOuterSize, WindowBorder::Sizable);

    auto* client = new QWidget(this);
    setCentralWidget(client);
    Form& f = *form_;

    f.toolBar = Placed(new QToolBar(client), "工具条1", QRect(8, 2, 664, 40));
    f.pathBox = Placed(new QLineEdit(client), "打开文件编辑框", QRect(8, 48, 704, 24));
    f.pathBox->setReadOnly(true);
    f.openButton = Placed(new QPushButton(QStringLiteral("浏览"), client), "打开按钮", QRect(720, 48, 96, 24));
    connect(f.openButton, &QPushButton::clicked, this, &ReaderWindow::OpenBookFromDialog);
    f.dialog = new CommonDialog(QStringLiteral("阅读通用对话框"), this);

    QLabel* pictureBox = Placed(new QLabel(client), "图片框1", QRect(784, 8, 16, 24));
    pictureBox->setPixmap(reader_icons::ToolbarImage(6).pixmap(15, 15));
    pictureBox->hide();

    f.contentsGroup = Placed(new QGroupBox(client), "目录分组框", QRect(8, 74, 192, 504));
    f.contents = Placed(new ListBox(f.contentsGroup), "目录列表框", QRect(8, 16, 176, 478));
    connect(f.contents, &ListBox::UserSelected, this, &ReaderWindow::ShowSelectedArticle);
    connect(f.contents, &ListBox::DoubleClicked, this, &ReaderWindow::EditSelectedArticle);

    f.articleGroup = Placed(new QGroupBox(client), "分组框1", QRect(206, 74, 656, 506));
    f.pane = Placed(new QPlainTextEdit(f.articleGroup), "阅读编辑框", QRect(8, 16, 640, 480));
    BuildReadingPane(f.pane, this);

    f.statusBar = new QStatusBar(this);
    f.statusBar->setObjectName(QStringLiteral("状态条1"));
    f.statusBar->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    f.statusBar->setFixedHeight(20);
    setStatusBar(f.statusBar);
    f.readingMenu = BuildMenus(this);
    BuildToolBar(this, f.toolBar);
    AddFindShortcuts(this);
    setAcceptDrops(true);
}

ListBox* ReaderWindow::TableOfContents() const { return form_->contents; }
QPlainTextEdit* ReaderWindow::ReadingPane() const { return form_->pane; }
CommonDialog& ReaderWindow::Dialog() const { return *form_->dialog; }
QMenu* ReaderWindow::ReadingMenu() const { return form_->readingMenu; }

qob::Text ReaderWindow::PaneText() const { return BoxText(form_->pane); }
void ReaderWindow::SetPaneText(const qob::Text& text) { SetBoxText(form_->pane, text); }

void ReaderWindow::SetArticleCaption(const qob::Text& title) {
    form_->articleGroup->setTitle(CaptionText(QStringLiteral("[文章标题]") + ShowText(title)));
}

void ReaderWindow::OpenBookFromDialog() {
    const std::optional<QString> path = Dialog().AskOpen(kBookFilter);
    if (!path) {
        qob::TrimWorkingSet();
        return;
    }
    LoadBookIntoReader(*path);
}

void ReaderWindow::OpenBookFromCommandLine() {
    if (!commandLineArgs_.isEmpty()) LoadBookIntoReader(commandLineArgs_.constFirst());
}

void ReaderWindow::LoadBookIntoReader(const QString& path) {
    openBook_.Clear();
    form_->pathBox->setText(path);
    qob::LoadedBook loaded = qob::ReadBook(PathForLibrary(path));
    switch (loaded.outcome) {
        case qob::ReadOutcome::CannotOpen:
            Prompts().Message(kCannotOpenMessage, MessageIcon::Stop);
            return;
        case qob::ReadOutcome::NotABook:
            Prompts().Message(kNotABookMessage, MessageIcon::Stop);
            return;
        case qob::ReadOutcome::Ok:
            break;
    }
    ShowLoadedBook(std::move(loaded.articles));
    qob::TrimWorkingSet();
    if (loaded.damaged) {
        Prompts().Message(kDamagedMessage.arg(openBook_.Count()).arg(loaded.announcedCount), MessageIcon::Stop);
    }
}

void ReaderWindow::ShowLoadedBook(qob::ArticleList articles) {
    std::vector<qob::Text> titles = TitlesOf(articles);
    openBook_ = std::move(articles);
    form_->contents->Reset(std::move(titles));
    form_->contents->SetSelection(0);
    ShowSelectedArticle();
    form_->contentsGroup->setTitle(QStringLiteral("[文章目录列表] %1 篇").arg(form_->contents->Count()));
}

void ReaderWindow::ShowSelectedArticle() {
    const int selection = form_->contents->Selection();
    if (!openBook_.Contains(selection)) return;
    const qob::Article& article = openBook_.At(static_cast<std::size_t>(selection));
    SetPaneText(article.content);
    SetFontSize(form_->articleGroup, 10);
    SetArticleCaption(article.title);
}

void ReaderWindow::PreviousArticle() {
    const int selection = form_->contents->Selection();
    if (selection == 0) {
        Prompts().Message(kFirstChapterMessage, MessageIcon::Information);
        return;
    }
    form_->contents->SetSelection(selection - 1LL);
    ShowSelectedArticle();
}

void ReaderWindow::NextArticle() {
    ListBox* contents = form_->contents;
    contents->SetSelection(contents->Selection() + 1LL);
    ShowSelectedArticle();
    if (contents->Selection() == contents->Count() - 1) {
        Prompts().Message(kLastChapterMessage, MessageIcon::Information);
    }
}

void ReaderWindow::CloseBook() {
    form_->pathBox->clear();
    SetPaneText({});
    form_->contents->Clear();
    openBook_.Clear();
}

void ReaderWindow::SaveBook() { SaveOpenBook(kSavedMessage); }
void ReaderWindow::SaveBookAs() { SaveOpenBook(kSavedAsMessage); }

void ReaderWindow::SaveOpenBook(const QString& successMessage) {
    const std::optional<QString> path = Dialog().AskSave(kBookFilter);
    if (!path) return;
    if (qob::WriteBook(PathForLibrary(*path), openBook_) != qob::WriteOutcome::Ok) {
        Prompts().Message(kCannotWriteMessage, MessageIcon::Stop);
        return;
    }
    qob::TrimWorkingSet();
    Prompts().Message(successMessage, MessageIcon::Information);
}

void ReaderWindow::ExitProgram() { close(); }

void ReaderWindow::ArrangeReaderControls() {
    const QSize outer = frameGeometry().size();
    const int width = outer.width();
    const int height = outer.height();
    const Form& f = *form_;
    SetWidth(f.toolBar, width - 16);
    SetWidth(f.articleGroup, width - 222);
    SetHeight(f.articleGroup, height - f.pathBox->height() - f.statusBar->height() - 110);
    SetHeight(f.contentsGroup, f.articleGroup->height());
    SetWidth(f.pane, f.articleGroup->width() - 16);
    SetHeight(f.pane, f.articleGroup->height() - 24);
    SetHeight(f.contents, f.contentsGroup->height() - 24);
    SetWidth(f.pathBox, width - f.openButton->width() - 32);
    SetLeft(f.openButton, width - f.openButton->width() - 16);
}

void ReaderWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    ArrangeReaderControls();
}

void ReaderWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool ReaderWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_->pane->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton) {
            ShowReadingMenu(form_->pane->viewport()->mapTo(form_->pane, press->position().toPoint()));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void ReaderWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// The book opens once the drop is over, so that a message box does not
// hold up the program the file was dragged from.
void ReaderWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, path] { LoadBookIntoReader(path); });
}
