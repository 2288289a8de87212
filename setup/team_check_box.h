#pragma once

#include <QCheckBox>

// A team's check box in the setup window. Besides checked and unchecked it
// has the grayed state of a team loaded from a saved game, which only the
// program sets: a presenter's click on a grayed box unchecks it, and the next
// click checks it again, as with any other box.
class TeamCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit TeamCheckBox(QWidget *parent = nullptr);

protected:
    void nextCheckState() override;
};
