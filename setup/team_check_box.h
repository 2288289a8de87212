#pragma once

#include <QCheckBox>
#include <QIcon>

// A team's check box in the setup window. Besides checked and unchecked it
// has the grayed state of a team loaded from a saved game, which only the
// program sets: a presenter's click on a grayed box unchecks it, and the next
// click checks it again, as with any other box.
class TeamCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    // The square for each state, painted over the indicator the window's
    // style sheet leaves empty. Read once for all the boxes.
    struct Squares
    {
        QIcon unchecked;
        QIcon grayed;
        QIcon checked;
    };
    static Squares readSquares();

    explicit TeamCheckBox(const Squares &squares, QWidget *parent = nullptr);

protected:
    void nextCheckState() override;
    void paintEvent(QPaintEvent *event) override;

private:
    Squares m_squares;
};
