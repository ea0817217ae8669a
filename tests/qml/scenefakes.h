#pragma once

#include <QObject>

class QQmlEngine;

// The recording fakes of the scene's three context objects (fake/*.qml) and
// the recorder they share, created in `engine` and owned by it.
struct SceneFakes
{
    QObject *recorder = nullptr;
    QObject *view = nullptr; // ui_View
    QObject *hid = nullptr;  // hid
    QObject *ctl = nullptr;  // ui_Ctl
};

// Stops the program with the QML errors when a fake does not load: a test
// without its fakes would only report confusing failures.
SceneFakes createSceneFakes(QQmlEngine &engine);
