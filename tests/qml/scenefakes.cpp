#include "scenefakes.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QUrl>
#include <QVariantMap>

namespace {

QObject *create(QQmlEngine &engine, const char *file, const QVariantMap &properties = {})
{
    QQmlComponent component(&engine, QUrl::fromLocalFile(QStringLiteral(KX20_SOURCE_DIR "/tests/qml/fake/")
                                                         + QLatin1String(file)));
    QObject *object = component.isReady() ? component.createWithInitialProperties(properties) : nullptr;
    if (!object)
        qFatal("%s does not load: %s", file, qPrintable(component.errorString()));
    object->setParent(&engine);
    return object;
}

} // namespace

SceneFakes createSceneFakes(QQmlEngine &engine)
{
    SceneFakes fakes;
    fakes.recorder = create(engine, "Recorder.qml");
    const QVariantMap shared{{QStringLiteral("recorder"), QVariant::fromValue(fakes.recorder)}};
    fakes.view = create(engine, "FakeView.qml", shared);
    fakes.hid = create(engine, "FakeHid.qml", shared);
    fakes.ctl = create(engine, "FakeCtl.qml", shared);
    return fakes;
}
