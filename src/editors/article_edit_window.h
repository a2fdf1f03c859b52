#pragma once

#include "editor_common.h"

class ReaderWindow;

// Edits the article selected in the reader's table of contents, starting
// from what the reader's pane shows now. It keeps no position of its own:
// the reader is blocked while it is open, so its selection cannot move.
class ArticleEditWindow final : public EditorWindow {
    Q_OBJECT
public:
    explicit ArticleEditWindow(ReaderWindow& reader);

public slots:
    void Modify();
    void ClearBoxes();
    void Restore();

private:
    void Fill();
    int EditedPosition() const;

    ReaderWindow& reader_;
    ListBox* titles_;
    ScratchArea scratch_;
};
