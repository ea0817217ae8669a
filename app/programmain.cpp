#include "programmain.h"

#include "applog.h"
#include "copydata.h"
#include "inputhookholder.h"
#include "modulesfolder.h"
#include "myqquickview.h"
#include "settingsfolder.h"
#include "settingslock.h"
#include "signalwatcher.h"
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
    qCWarning(lcApp).noquote() << problem;
    auto *box =
        new QMessageBox(QMessageBox::Warning, window.windowTitle(), problem, QMessageBox::Ok, &window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// The capture's callbacks only queue work for the scene, so the capture
// returns at once.
void onKey(int usage, bool pressed, void *context)
{
    if (auto *window = static_cast<Widget *>(context))
        window->view()->notifyKeyboard(pressed, static_cast<uchar>(usage));
}

void onButton(int button, bool pressed, int x, int y, void *context)
{
    // A screen left of or above the primary one gives negative coordinates,
    // which travel in their unsigned 32-bit form.
    if (auto *window = static_cast<Widget *>(context))
        window->view()->notifyMouse(pressed, static_cast<uint>(button), static_cast<quint32>(x),
                                    static_cast<quint32>(y));
}

void onCopyData(const CopyDataMessage &message, void *context)
{
    auto *window = static_cast<Widget *>(context);
    if (!window)
        return;
    if (const std::optional<QString> text = CopyData::text(message.tag, message.data, message.size))
        window->showCopyData(*text);
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

    // Every data file is addressed relative to the folder that holds
    // modules/: beside the executable, or the user's copy of an installed one.
    QDir::setCurrent(ModulesFolder::workingFolder(QCoreApplication::applicationDirPath()));
    // One writer per settings folder, whatever became of the guard above.
    const SettingsLock settingsLock(QStringLiteral("./modules"));
    if (!settingsLock.isHeld()) {
        qWarning().noquote() << settingsLock.refusal();
        return 1;
    }

    Widget window;
    QObject::connect(&app, &SingleApplication::messageReceived, &window, &Widget::receiveMessage);
    if (prepare)
        prepare(window);

    // Removed before the window goes: keyboard, then mouse.
    InputHookHolder hooks(0);
    hooks.registerKeyboardCallback(onKey, &window);
    hooks.registerMouseCallback(onButton, &window);
    hooks.registerCopyDataCallback(onCopyData, &window, &app);

    // A logout or a kill asks the program to end: as from the tray's Quit.
    const SignalWatcher quitOnSignal([&window](int) {
        window.exitSYS();
    });

    window.showNormal();
    warnIfSettingsCannotBeSaved(window);
    window.checkDevice();
    return app.exec();
}
