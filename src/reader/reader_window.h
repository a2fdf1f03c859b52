#pragma once

#include <QMainWindow>
#include <QStringList>

#include "article.h"

class CommonDialog;
class FindBar;
class ListBox;
class QPlainTextEdit;
class QMenu;

// The program's main window: table of contents, reading pane, menus,
// toolbar and status bar.
class ReaderWindow : public QMainWindow {
    Q_OBJECT
public:
    // Runs the window-created steps: association, command line, the book
    // named by the first argument, the greeting pane.
    explicit ReaderWindow(const QStringList& commandLineArgs, QWidget* parent = nullptr);
    ~ReaderWindow() override;

    qob::ArticleList& OpenBook() { return openBook_; }
    const QStringList& CommandLineArgs() const { return commandLineArgs_; }

    ListBox* TableOfContents() const;      // 目录列表框
    QPlainTextEdit* ReadingPane() const;   // 阅读编辑框
    CommonDialog& Dialog() const;          // 阅读通用对话框
    QMenu* ReadingMenu() const;            // "  阅读"
    // The find bar, made when first asked for.
    FindBar& Finder();

    // The reading pane's text as book bytes (unchanged bytes while the pane
    // shows what was set), and setting it.
    qob::Text PaneText() const;
    void SetPaneText(const qob::Text& text);
    // The caption above the pane: "[文章标题]" followed by the title.
    void SetArticleCaption(const qob::Text& title);

public slots:
    void OpenBookFromDialog();
    void OpenBookFromCommandLine();
    void LoadBookIntoReader(const QString& path);
    void ShowSelectedArticle();
    void PreviousArticle();
    void NextArticle();
    void EditSelectedArticle();
    void CloseBook();
    void SaveBook();
    void SaveBookAs();
    void ExportRux();
    void ExportCustomText();
    void OpenMakeWindowModal();
    void OpenMakeWindowModeless();
    void OpenBookEditWindow();
    void OpenAboutWindow();
    void ExitProgram();

    // Finding a text in the whole book (Ctrl+F, F3, Shift+F3).
    void FindInBook();
    void FindNext();
    void FindPrevious();
    // Splits a plain-text file into articles for the make window.
    void ImportTextFile();

    // The reading pane's look and clipboard.
    void SelectAllText();
    void CopySelection();
    void PasteClipboard();
    void CutSelection();
    void ChooseReadingFont();
    void ChooseBackgroundColor();
    void ZoomIn();
    void ZoomOut();
    void ApplyColorScheme(int scheme);  // 1..5
    void ShowReadingMenu(const QPoint& panePosition);

    void ArrangeReaderControls();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Turns a right-button press in the reading pane into ShowReadingMenu.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A file dropped on the window opens as a book.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildForm();
    void ShowLoadedBook(qob::ArticleList articles);
    void SaveOpenBook(const QString& successMessage);

    struct Form;
    Form* form_;
    qob::ArticleList openBook_;
    QStringList commandLineArgs_;
    FindBar* findBar_ = nullptr;
    QString lastImportPath_;
};
