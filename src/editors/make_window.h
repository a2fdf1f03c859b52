#pragma once

#include "article.h"
#include "editor_common.h"

class CommonDialog;

// Composes a new book article by article and generates it as a book file.
// At most one exists; it has no owner, so when opened beside the reader it
// keeps the program running after the reader has closed.
class MakeWindow final : public EditorWindow {
    Q_OBJECT
public:
    MakeWindow();
    ~MakeWindow() override;

    // The make window that is open, or nullptr.
    static MakeWindow* Instance();
    // Open it (blocking until it closes) or bring the open one to the front.
    static void OpenModal();
    // Open it beside the other windows or bring the open one to the front.
    static void OpenModeless();
    // Open it as OpenModal does, with `articles` added after the ones it
    // already holds, ready to be checked and generated.
    static void OpenModalWith(const qob::ArticleList& articles);

    const qob::ArticleList& ComposedBook() const { return composedBook_; }

public slots:
    void Add();
    void InsertBefore();
    void InsertAfter();
    void Modify();
    void Delete();
    void ClearBoxes();
    void ShowEntry(int position);
    void Generate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TitleGiven() const;
    void StoreAt(int position);
    void FinishListChange();
    void AppendArticles(const qob::ArticleList& articles);

    qob::ArticleList composedBook_;
    ListBox* titles_;
    ScratchArea scratch_;
    TitledArticles book_;
    CommonDialog* dialog_;
};
