#include "programmain.h"

#include "singleapplication.h"
#include "widget.h"

#include <QDir>
#include <ctime>
#include <cstdio>
static double nowMs()
{
    timespec n{};
    clock_gettime(CLOCK_MONOTONIC, &n);
    return n.tv_sec * 1000.0 + n.tv_nsec / 1e6;
}
#include <QQuickWindow>
#include <QTimer>

int runKx20Config(int &argc, char **argv, const std::function<void(Widget &)> &prepare)
{
    // The scene is simple 2D: Qt's software renderer starts faster and needs
    // a fraction of the memory of an OpenGL context.
    fprintf(stderr, "T main %.1f\n", nowMs());
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    SingleApplication app(argc, argv);
    if (app.isRunning()) {
        app.sendMessage(QString(), 5000);
        return 1;
    }

    // Every data file is addressed relative to the executable's folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    Widget window;
    fprintf(stderr, "T widget %.1f\n", nowMs());
    QObject::connect(&app, &SingleApplication::messageReceived, &window, &Widget::receiveMessage);
    if (prepare)
        prepare(window);

    window.showNormal();
    fprintf(stderr, "T shown %.1f\n", nowMs());
    window.checkDevice();
    fprintf(stderr, "T checked %.1f\n", nowMs());
    QTimer::singleShot(0, [] {
        fprintf(stderr, "T loop %.1f\n", nowMs());
    });
    return app.exec();
}
