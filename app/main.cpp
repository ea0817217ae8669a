#include "singleapplication.h"
#include "widget.h"

#include <QDir>

int main(int argc, char **argv)
{
    SingleApplication app(argc, argv);
    if (app.isRunning()) {
        app.sendMessage(QString(), 5000);
        return 1;
    }

    // Every data file is addressed relative to the executable's folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    Widget window;
    QObject::connect(&app, &SingleApplication::messageReceived, &window, &Widget::receiveMessage);

    window.showNormal();
    window.checkDevice();
    return app.exec();
}
