#pragma once

#include <QWidget>
#include <vector>

#include "article.h"
#include "book_search.h"

class ListBox;
class QLabel;
class QLineEdit;
class ReaderWindow;

// A small tool window over the reader that finds a text in every title and
// content of the open book, lists the hits and shows the chosen one in the
// reader: its article selected and shown, the match selected in the pane.
class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(ReaderWindow& reader);

    QLineEdit* NeedleBox() const { return needleBox_; }
    ListBox* HitList() const { return hitList_; }
    QString Status() const;
    int HitCount() const { return static_cast<int>(hits_.size()); }

public slots:
    // Shows the bar with its text selected, ready for typing.
    void Open();
    // Lists the hits of the text in the box; goes to none of them.
    void Search();
    // The hit after (before) the current one, wrapping around. A text that
    // has changed since the last search is searched first; with nothing to
    // go to, the bar opens.
    void GoToNext();
    void GoToPrevious();
    void GoToHit(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Step(int direction);
    bool NeedleChanged() const;
    void ListHits(const qob::SearchResult& result);
    void ShowInReader(const qob::SearchHit& hit);
    void PlaceBesideReader();

    ReaderWindow& reader_;
    QLineEdit* needleBox_;
    QLabel* status_;
    ListBox* hitList_;
    qob::Text needle_;  // what the listed hits were found for
    bool searched_ = false;
    bool placed_ = false;
    std::vector<qob::SearchHit> hits_;
};
