#include "entry_box.h"

#include "team_name.h"

#include <QApplication>
#include <QKeyEvent>

EntryBox::EntryBox(std::function<bool()> apply, QWidget *board)
    : QLineEdit(board)
    , m_apply(std::move(apply))
{
    setObjectName(QStringLiteral("TCmd_Txt"));
    hide();
}

void EntryBox::open(int team, Kind kind, const QPoint &place, const QString &text)
{
    move(place);
    m_team = team;
    m_kind = kind;
    setMaxLength(kind == Kind::Points ? 32767 : TeamName::MaxLength);
    setText(text);
    watchPresses(true);
    show();
    setFocus(Qt::MouseFocusReason);
    // Typing replaces the proposal instead of adding to it.
    selectAll();
}

void EntryBox::dismiss()
{
    watchPresses(false);
    // Hiding the box would pass the focus on to the next button in the chain.
    parentWidget()->setFocus(Qt::OtherFocusReason);
    hide();
}

void EntryBox::refuse()
{
    selectAll();
    setFocus(Qt::OtherFocusReason);
    QApplication::beep();
}

void EntryBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_apply();
        return;
    case Qt::Key_Escape:
        dismiss();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

// The presses on the board's own widgets, not the whole application's: a
// dialog or another window is none of the box's business.
void EntryBox::watchPresses(bool watch)
{
    QWidget *board = parentWidget();
    QList<QWidget *> watched = board->findChildren<QWidget *>();
    watched.append(board);
    for (QWidget *widget : std::as_const(watched)) {
        if (widget == this || isAncestorOf(widget))
            continue;
        if (watch)
            widget->installEventFilter(this);
        else
            widget->removeEventFilter(this);
    }
}

bool EntryBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && isOpen())
        return !m_apply();
    return QLineEdit::eventFilter(watched, event);
}
