#pragma once

#include <QListView>
#include <vector>

#include "article.h"

class TitleModel;

// The one list box of the program. It holds book texts (bytes) and shows
// them converted, row by row as they are painted, so that a table of
// contents of a hundred thousand titles fills at once.
//
// Rules every window relies on: the selection is a position or -1; setting
// it past the last entry selects the last, to -1 or below clears it, and in
// an empty list nothing is selected. Setting it from the program never emits
// UserSelected, which reports only a selection made by the user. Reading an
// entry that does not exist gives the empty text; replacing it does nothing.
// Inserting takes positions 0..Count(); deleting a position that is not an
// entry does nothing. The selection stays on its entry when entries are
// inserted or deleted before it, and deleting the selected entry leaves none.
class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);
    ~ListBox() override;

    int Count() const;
    int Selection() const { return selection_; }
    void SetSelection(long long position);

    qob::Text Text(long long position) const;
    void SetText(long long position, const qob::Text& text);

    void Add(const qob::Text& text);
    void Insert(long long position, const qob::Text& text);
    void Remove(long long position);
    void Clear();
    // Replaces every entry at once, with no selection: the fast way to fill a long list.
    void Reset(std::vector<qob::Text> texts);

signals:
    void UserSelected(int position);
    // Any double-click in the box, on an entry or below the last one.
    void DoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ShowSelectionInView();
    void OnViewSelectionChanged();

    TitleModel* model_;
    int selection_ = -1;
    bool programChange_ = false;
};

// The titles of `articles` in order, to fill a list box with Reset().
std::vector<qob::Text> TitlesOf(const qob::ArticleList& articles);
