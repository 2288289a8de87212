#include "team_check_box.h"

TeamCheckBox::TeamCheckBox(QWidget *parent)
    : QCheckBox(parent)
{
}

void TeamCheckBox::nextCheckState()
{
    // QCheckBox would step a grayed box on to checked; a click that means
    // "not this team" must leave it unchecked.
    setCheckState(checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
}
