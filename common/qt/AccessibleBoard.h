// A game board as screen readers see it: a named object whose description says the state in
// words, with one child a cell. The window answers the questions through BoardReader; the
// accessible objects exist only once a screen reader asks for them, the cells only when read.
#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace halvoria {

class BoardReader {
  public:
    virtual ~BoardReader();
    virtual QString BoardName() const = 0;
    virtual QString BoardDescription() const = 0;
    // Cells laid out in rows, left to right, top row first; 0 when the board shows no cells.
    virtual int CellColumns() const = 0;
    virtual int CellRows() const = 0;
    virtual QString CellName(int column, int row) const = 0;
    virtual QString CellDescription(int column, int row) const = 0;
    // The cell's place in the board widget, in logical pixels.
    virtual QRect CellRect(int column, int row) const = 0;
};

// Makes board read out through reader (null detaches it). The board takes the keyboard focus,
// so a screen reader announces it.
void SetBoardReader(QWidget* board, BoardReader* reader);

// Tells a screen reader, if one listens, that the board's texts may have changed: when the
// description differs from the last one told, a description change of the board, a name change
// for each cell already read, and a new cell list when the grid changed. Costs nothing while no
// screen reader is active.
void BoardChanged(QWidget* board);

}  // namespace halvoria
