#include "dialogs.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel placeholder(appTitle());
    placeholder.setWindowTitle(appTitle());
    placeholder.show();
    return app.exec();
}
