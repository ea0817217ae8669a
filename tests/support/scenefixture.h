#pragma once

#include "devicelinkfixture.h"
#include "fakefiledialogs.h"
#include "modulestree.h"

#include <QWidget>

#include <functional>
#include <memory>

class myQQuickView;
class QQuickItem;
class Ui_Controler;

// The compiled scene in a real bridge view over an emulated mouse, with the
// installed settings in a temporary modules/ tree: what the program shows,
// driven by pointer events at the main screen's coordinates.
class SceneFixture
{
public:
    // `prepare` may change the settings files or the mouse before the
    // scene starts.
    explicit SceneFixture(ChipFamily family,
                          const std::function<void(ModulesTree &, EmulatedMouse &)> &prepare = {});
    ~SceneFixture();

    ModulesTree tree;
    DeviceLinkFixture link;
    EmulatedMouse *mouse = nullptr;

    myQQuickView &view() const { return *m_view; }
    QQuickItem *root() const;
    // By object name, also among the items a Repeater made.
    QQuickItem *item(const char *objectName) const;
    // A visual descendant of `parent` by object name (list rows are the
    // view's children only as items); null when there is none.
    static QQuickItem *descendant(QQuickItem *parent, const QString &objectName);

    // The first initUI, up to the main screen taking input.
    bool start();
    void click(const QPoint &point, Qt::MouseButton button = Qt::LeftButton);
    // The text of a settings file on disk, e.g. "modules/setting/p1.bin".
    QString fileText(const QString &relative) const;
    // Every 9-byte command report the mouse received, by command code.
    QList<QByteArray> commands(int code) const;

private:
    QWidget m_window;
    FakeFileDialogs m_dialogs;
    std::unique_ptr<Ui_Controler> m_controller;
    myQQuickView *m_view = nullptr;
};
