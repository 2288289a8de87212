#include "main_form.h"

// Placeholder: the window's controls and handlers are still to come.
MainForm::MainForm(Module1 &, Dialogs &, StartSound &, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("main"));
}

MainForm::~MainForm() = default;

void MainForm::Set_Init() {}

void MainForm::Display_Score() {}
