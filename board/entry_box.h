#pragma once

#include <QLineEdit>

#include <functional>

// The box over a team button (TCmd_Txt) where the presenter types the
// round's points for a team or its new name. Enter applies what it holds,
// Escape closes it. While it is open, a press anywhere else on the board
// first applies it as Enter would; text it cannot take keeps the press from
// doing anything, so typed points are never lost to a click.
class EntryBox : public QLineEdit
{
    Q_OBJECT

public:
    enum class Kind { Points, TeamName };

    // `apply` takes what the box holds and dismisses it; false when it cannot
    // be taken. The board is the box's parent.
    EntryBox(std::function<bool()> apply, QWidget *board);

    // Opens at `place` for team `team`, holding `text`, selected so that
    // typing replaces it.
    void open(int team, Kind kind, const QPoint &place, const QString &text);
    // Closes without applying; the board keeps the focus.
    void dismiss();
    bool isOpen() const { return !isHidden(); }
    // Text that cannot be taken: selected again for a correction, with a beep.
    void refuse();

    Kind kind() const { return m_kind; }
    int team() const { return m_team; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchPresses(bool watch);

    std::function<bool()> m_apply;
    Kind m_kind = Kind::Points;
    int m_team = 0;
};
