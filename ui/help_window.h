#pragma once

#include <QTextBrowser>

// The presenter's guide in a window of its own, the same text as
// docs/guide.md, compiled into the program: the hall's laptop may have no
// browser, and a browser would cover the console.
class HelpWindow : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // The guide as the window shows it: its text without the screenshots,
    // which only the document carries.
    static QString guideText();
};
