#include "list_box.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include "book_text.h"

class TitleModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(texts_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
        return ShowText(texts_[static_cast<std::size_t>(index.row())]);
    }

    std::vector<qob::Text>& Texts() { return texts_; }
    const std::vector<qob::Text>& Texts() const { return texts_; }

    void SetRow(int row, const qob::Text& text) {
        texts_[static_cast<std::size_t>(row)] = text;
        emit dataChanged(index(row), index(row), {Qt::DisplayRole});
    }
    void InsertRow(int row, const qob::Text& text) {
        beginInsertRows(QModelIndex(), row, row);
        texts_.insert(texts_.begin() + row, text);
        endInsertRows();
    }
    void RemoveRow(int row) {
        beginRemoveRows(QModelIndex(), row, row);
        texts_.erase(texts_.begin() + row);
        endRemoveRows();
    }
    void ResetAll(std::vector<qob::Text> texts) {
        beginResetModel();
        texts_ = std::move(texts);
        endResetModel();
    }

private:
    std::vector<qob::Text> texts_;
};

ListBox::ListBox(QWidget* parent) : QListView(parent), model_(new TitleModel(this)) {
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListBox::OnViewSelectionChanged);
}

ListBox::~ListBox() = default;

int ListBox::Count() const { return model_->rowCount(); }

void ListBox::SetSelection(long long position) {
    if (Count() == 0 || position < 0) {
        selection_ = -1;
    } else {
        selection_ = static_cast<int>(std::min<long long>(position, Count() - 1));
    }
    ShowSelectionInView();
}

qob::Text ListBox::Text(long long position) const {
    if (position < 0 || position >= Count()) return {};
    return model_->Texts()[static_cast<std::size_t>(position)];
}

void ListBox::SetText(long long position, const qob::Text& text) {
    if (position < 0 || position >= Count()) return;
    model_->SetRow(static_cast<int>(position), text);
}

void ListBox::Add(const qob::Text& text) { Insert(Count(), text); }

void ListBox::Insert(long long position, const qob::Text& text) {
    if (position < 0 || position > Count()) return;
    {
        QScopedValueRollback guard(programChange_, true);
        model_->InsertRow(static_cast<int>(position), text);
    }
    if (selection_ >= position) ++selection_;
    ShowSelectionInView();
}

void ListBox::Remove(long long position) {
    if (position < 0 || position >= Count()) return;
    {
        QScopedValueRollback guard(programChange_, true);
        model_->RemoveRow(static_cast<int>(position));
    }
    if (selection_ == position) {
        selection_ = -1;
    } else if (selection_ > position) {
        --selection_;
    }
    ShowSelectionInView();
}

void ListBox::Clear() { Reset({}); }

void ListBox::Reset(std::vector<qob::Text> texts) {
    {
        QScopedValueRollback guard(programChange_, true);
        model_->ResetAll(std::move(texts));
    }
    selection_ = -1;
    ShowSelectionInView();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

void ListBox::ShowSelectionInView() {
    QScopedValueRollback guard(programChange_, true);
    if (selection_ < 0) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = model_->index(selection_);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ListBox::OnViewSelectionChanged() {
    if (programChange_) return;
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    const int now = selected.isEmpty() ? -1 : selected.constFirst().row();
    if (now == selection_) return;
    selection_ = now;
    if (now >= 0) emit UserSelected(now);
}

std::vector<qob::Text> TitlesOf(const qob::ArticleList& articles) {
    std::vector<qob::Text> titles;
    titles.reserve(articles.Count());
    for (const qob::Article& article : articles) titles.push_back(article.title);
    return titles;
}
