#pragma once

#include <QQuickWidget>

class Hid_Thread;

// The one object through which the scene reaches the native side: the view
// that shows the scene, the holder of the settings stores and the translator
// from scene values to device commands.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    explicit myQQuickView(QWidget *parent = nullptr);

    void setHidThread(Hid_Thread *hid) { hidThread = hid; }

private:
    Hid_Thread *hidThread = nullptr;
};
