#pragma once

#include <QObject>
#include <QPointer>

class Hid_Thread;
class QWidget;
class myQQuickView;

// Lets the frameless scene move, minimise and hide its own window, and lets
// native code lock the scene for a while. Its set-up dresses the window and
// creates the bridge view with the scene.
class Ui_Controler : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kScene = "qrc:/modules/qml/main.qml";

    explicit Ui_Controler(QObject *parent = nullptr);

    // Makes `window` frameless and translucent, creates the bridge view in it,
    // publishes "ui_View", "hid" and "ui_Ctl" and loads the scene.
    myQQuickView *setup(QWidget *window, Hid_Thread *hid, const QString &title);
    myQQuickView *view() const { return m_view; }

public slots:
    void onMinimize();
    void onClose();
    void onXChanged(int);
    void onYChanged(int);
    // Hands a drag of the window to the window system, where a window may
    // not place itself (Wayland); false when the system cannot take it.
    bool startSystemMove();
    void setBusy(int busyTime);
    void setBusy();
    // The scene's answer to a Quit that waited on unsaved changes.
    void onQuit();

signals:
    void quitRequested();

private:
    QPointer<QWidget> m_window;
    QPointer<myQQuickView> m_view;
};
