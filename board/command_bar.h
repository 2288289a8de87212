#pragma once

#include "board_layout.h"

#include <QWidget>
#include <QtGlobal>

class PresenterCommands;
class QLineEdit;

// The black bar along the board's bottom edge (Picture2): the pictures of
// start, load, save, winner and leave (Command1 .. Command5), the maximum
// score in its yellow box (Text1) with its caption (Label1), and ▲ and ▼
// (Command7, Command8). Its controls are described in one table at their
// design places; those on the right keep their distance from the bar's
// right end on a board wider than its design. On a board drawn larger than
// its design (BoardScale) the bar, its controls, their lettering and
// pictures and those distances grow with it. Every button gives its command
// to the presenter's commands.
class CommandBar : public QWidget
{
    Q_OBJECT

public:
    CommandBar(PresenterCommands &commands, QWidget *board);

    // Along the bottom of a board of `boardSize` drawn at `scale`.
    void placeOnBoard(const QSize &boardSize, BoardLayout::BoardScale scale = {});
    // The maximum score in its box; the figures shrink to fit ten digits and
    // a sign.
    void showMaxScore(qint32 maxScore);
    // A control by its object name ("Command1"), for the board's tab order.
    QWidget *control(const char *objectName) const;

private:
    void applyScale(BoardLayout::BoardScale scale);

    QLineEdit *m_maxScoreBox = nullptr;
    BoardLayout::BoardScale m_scale;
    qint32 m_maxScore = 500;
};
