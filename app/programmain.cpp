#include "programmain.h"

#include "settingsfolder.h"
#include "singleapplication.h"
#include "widget.h"

#include <QDebug>
#include <QDir>
#include <QMessageBox>
#include <QQuickWindow>

namespace {

// Told once at start, without holding the start up.
void warnIfSettingsCannotBeSaved(Widget &window)
{
    const QString problem = SettingsFolder::problem(QStringLiteral("./modules"));
    if (problem.isEmpty())
        return;
    qWarning().noquote() << problem;
    auto *box = new QMessageBox(QMessageBox::Warning, window.windowTitle(), problem, QMessageBox::Ok, &window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace

int runKx20Config(int &argc, char **argv, const std::function<void(Widget &)> &prepare)
{
    // The scene is simple 2D: Qt's software renderer starts faster and needs
    // a fraction of the memory of an OpenGL context.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    SingleApplication app(argc, argv);
    if (app.isRunning()) {
        app.sendMessage(QString(), 5000);
        return 1;
    }

    // Every data file is addressed relative to the executable's folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    Widget window;
    QObject::connect(&app, &SingleApplication::messageReceived, &window, &Widget::receiveMessage);
    if (prepare)
        prepare(window);

    window.showNormal();
    warnIfSettingsCannotBeSaved(window);
    window.checkDevice();
    return app.exec();
}
