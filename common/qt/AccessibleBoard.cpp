// The board's accessible objects on Qt's accessibility interfaces; the AT-SPI bridge carries them
// to screen readers. Cells are created on first read and kept until the grid changes.
#include "common/qt/AccessibleBoard.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace halvoria {

BoardReader::~BoardReader() = default;

namespace {

constexpr const char* kReaderProperty = "halvoriaBoardReader";
constexpr const char* kToldProperty = "halvoriaBoardTold";

BoardReader* ReaderOf(const QWidget* board) {
    if (board == nullptr) return nullptr;
    return static_cast<BoardReader*>(board->property(kReaderProperty).value<void*>());
}

class BoardAccessible;

class CellAccessible : public QAccessibleInterface {
  public:
    CellAccessible(QWidget* board, int index) : board_(board), index_(index) {}

    bool isValid() const override { return !board_.isNull() && Reader() != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return board_ && board_->window() ? board_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return board_ ? QAccessible::queryAccessibleInterface(board_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        const BoardReader* reader = Reader();
        if (reader == nullptr || !InGrid(*reader)) return {};
        const int columns = reader->CellColumns();
        if (t == QAccessible::Name) return reader->CellName(index_ % columns, index_ / columns);
        if (t == QAccessible::Description) {
            return reader->CellDescription(index_ % columns, index_ / columns);
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const BoardReader* reader = Reader();
        if (reader == nullptr || !InGrid(*reader)) return {};
        const int columns = reader->CellColumns();
        const QRect cell = reader->CellRect(index_ % columns, index_ / columns);
        return QRect(board_->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) state.invalid = true;
        return state;
    }

  private:
    BoardReader* Reader() const { return ReaderOf(board_.data()); }
    bool InGrid(const BoardReader& reader) const {
        return reader.CellColumns() > 0 && index_ < reader.CellColumns() * reader.CellRows();
    }

    QPointer<QWidget> board_;
    int index_;
};

class BoardAccessible : public QAccessibleWidget {
  public:
    explicit BoardAccessible(QWidget* board) : QAccessibleWidget(board, QAccessible::Grouping) {}
    ~BoardAccessible() override { ForgetCells(); }

    QString text(QAccessible::Text t) const override {
        const BoardReader* reader = ReaderOf(widget());
        if (reader != nullptr && t == QAccessible::Name) return reader->BoardName();
        if (reader != nullptr && t == QAccessible::Description) return reader->BoardDescription();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override {
        const BoardReader* reader = ReaderOf(widget());
        return reader == nullptr ? 0 : reader->CellColumns() * reader->CellRows();
    }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) return nullptr;
        if (const QAccessible::Id id = cells_.value(index)) {
            return QAccessible::accessibleInterface(id);
        }
        auto* cell = new CellAccessible(widget(), index);
        cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto it = cells_.cbegin(); it != cells_.cend(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child) return it.key();
        }
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const BoardReader* reader = ReaderOf(widget());
        if (reader == nullptr) return nullptr;
        const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
        for (int row = 0; row < reader->CellRows(); ++row) {
            for (int column = 0; column < reader->CellColumns(); ++column) {
                if (reader->CellRect(column, row).contains(local)) {
                    return child(row * reader->CellColumns() + column);
                }
            }
        }
        return nullptr;
    }

    // Cells read so far, for name-change events.
    QList<QAccessibleInterface*> ReadCells() const {
        QList<QAccessibleInterface*> read;
        for (const QAccessible::Id id : cells_) read.append(QAccessible::accessibleInterface(id));
        return read;
    }

    void ForgetCells() {
        for (const QAccessible::Id id : std::as_const(cells_)) {
            QAccessible::deleteAccessibleInterface(id);
        }
        cells_.clear();
    }

    int toldCells = -1;

  private:
    mutable QHash<int, QAccessible::Id> cells_;
};

QAccessibleInterface* BoardFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || ReaderOf(widget) == nullptr) return nullptr;
    return new BoardAccessible(widget);
}

}  // namespace

void SetBoardReader(QWidget* board, BoardReader* reader) {
    static const bool installed = [] {
        QAccessible::installFactory(BoardFactory);
        return true;
    }();
    (void)installed;
    board->setProperty(kReaderProperty, QVariant::fromValue(static_cast<void*>(reader)));
    if (reader != nullptr) board->setFocusPolicy(Qt::StrongFocus);
}

void BoardChanged(QWidget* board) {
    const BoardReader* reader = ReaderOf(board);
    if (reader == nullptr || !QAccessible::isActive()) return;
    const QString description = reader->BoardDescription();
    if (board->property(kToldProperty).toString() == description) return;
    board->setProperty(kToldProperty, description);

    auto* accessible = dynamic_cast<BoardAccessible*>(QAccessible::queryAccessibleInterface(board));
    if (accessible != nullptr) {
        const int cells = reader->CellColumns() * reader->CellRows();
        if (cells != accessible->toldCells) {
            // A new grid: the cells read so far are gone, and the list is read again.
            accessible->ForgetCells();
            accessible->toldCells = cells;
            QAccessibleEvent reordered(board, QAccessible::ObjectReorder);
            QAccessible::updateAccessibility(&reordered);
        } else {
            for (QAccessibleInterface* cell : accessible->ReadCells()) {
                QAccessibleEvent changed(cell, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&changed);
            }
        }
    }
    QAccessibleEvent changed(board, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

}  // namespace halvoria
