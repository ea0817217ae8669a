#include "scenefixture.h"

#include "myqquickview.h"
#include "ui_controler.h"

#include <QQuickItem>
#include <QSettings>
#include <QTest>

SceneFixture::SceneFixture(ChipFamily family,
                           const std::function<void(ModulesTree &, EmulatedMouse &)> &prepare)
{
    for (const char *folder : {"setting", "i18n", "gun"})
        tree.install(QString::fromLatin1(folder));
    {
        // The installed configuration describes a 560 gun model.
        QSettings config(tree.path(QStringLiteral("modules/setting/apConfig.bin")), QSettings::IniFormat);
        config.setValue(QStringLiteral("mouse/icType"),
                        family == ChipFamily::F560 ? QStringLiteral("560") : QStringLiteral("553"));
    }
    mouse = &link.connect(DeviceLinkFixture::identity(family, 32));
    if (prepare)
        prepare(tree, *mouse);

    m_controller = std::make_unique<Ui_Controler>();
    m_view = m_controller->setup(&m_window, &link.hid, QStringLiteral("KX20"));
    m_view->setHidThread(&link.hid);
    m_view->setFileDialogs(&m_dialogs);
    m_window.show();
    // As after discovery: the 560 images are read before anything is sent.
    m_view->beginConnection();
    if (family == ChipFamily::F560) {
        for (uint profile = 0; profile < 5; ++profile)
            m_view->mouseReadProfile(profile);
    }
    link.forgetHistory();
}

SceneFixture::~SceneFixture()
{
    m_controller.reset();
}

QQuickItem *SceneFixture::root() const
{
    return m_view->rootObject();
}

namespace {

// Items a Repeater made are children of their visual parent only.
QQuickItem *visualChild(QQuickItem *parent, const QString &name)
{
    const QList<QQuickItem *> children = parent->childItems();
    for (QQuickItem *child : children) {
        if (child->objectName() == name)
            return child;
        if (QQuickItem *found = visualChild(child, name))
            return found;
    }
    return nullptr;
}

} // namespace

QQuickItem *SceneFixture::item(const char *objectName) const
{
    if (!root())
        return nullptr;
    const QString name = QString::fromLatin1(objectName);
    if (QQuickItem *found = root()->findChild<QQuickItem *>(name))
        return found;
    return visualChild(root(), name);
}

QQuickItem *SceneFixture::descendant(QQuickItem *parent, const QString &objectName)
{
    return parent ? visualChild(parent, objectName) : nullptr;
}

bool SceneFixture::start()
{
    if (!root())
        return false;
    m_view->initUI();
    // The power-on lock lasts a second of the scene's own time.
    return QTest::qWaitFor(
        [this] {
            return root()->property("mainShown").toBool() && m_view->isEnabled();
        },
        10000);
}

void SceneFixture::click(const QPoint &point, Qt::MouseButton button)
{
    QTest::mouseClick(m_view, button, Qt::NoModifier, point);
}

QString SceneFixture::fileText(const QString &relative) const
{
    return QString::fromUtf8(tree.read(relative));
}

QList<QByteArray> SceneFixture::commands(int code) const
{
    QList<QByteArray> matching;
    const QList<QByteArray> reports = link.sent(HidCall::SendFeature);
    for (const QByteArray &report : reports) {
        if (report.size() > 1 && uchar(report.at(1)) == code)
            matching << report;
    }
    return matching;
}
