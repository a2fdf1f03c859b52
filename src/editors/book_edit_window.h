#pragma once

#include "editor_common.h"

class ReaderWindow;

// Edits the reader's open book chapter by chapter. Every change goes at once
// into the book and into the reader's table of contents, pane and caption;
// the reader's count caption is left as it was.
class BookEditWindow final : public EditorWindow {
    Q_OBJECT
public:
    explicit BookEditWindow(ReaderWindow& reader);

public slots:
    void ShowChapter(int position);
    void Restore();
    void ClearBoxes();
    void Modify();
    void Delete();
    void Add();
    void InsertBefore();
    void InsertAfter();
    void SaveAs();

private:
    void Fill();
    void StoreAt(int position);
    ListBox* ReaderTitles() const;

    ReaderWindow& reader_;
    ListBox* titles_;
    ScratchArea scratch_;
    TitledArticles book_;
};
