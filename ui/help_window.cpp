#include "help_window.h"

#include "dialogs.h"

#include <QFile>
#include <QRegularExpression>

HelpWindow::HelpWindow(QWidget *parent)
    : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(appTitle() + QStringLiteral(" - 도움말"));
    setOpenExternalLinks(false);
    setMarkdown(guideText());
    resize(760, 700);
}

QString HelpWindow::guideText()
{
    QFile file(QStringLiteral(":/help/guide.md"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QString text = QString::fromUtf8(file.readAll());
    // A picture is a line of its own, indented in a list: ![caption](file.png)
    static const QRegularExpression picture(QStringLiteral("^[ \\t]*!\\[[^\\]]*\\]\\([^)]*\\)[ \\t]*$"),
                                            QRegularExpression::MultilineOption);
    text.remove(picture);
    return text;
}
