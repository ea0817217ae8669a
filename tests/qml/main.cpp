// Runs the scene's Qt Quick tests (tst_*.qml here) with the compiled scene
// and its pictures, the scene's C++ types, and recording fakes published as
// the three context objects the scene talks to: ui_View, hid and ui_Ctl. The
// tests reach the shared recorder as "fake".

#include "scenefakes.h"
#include "scenetypes.h"
#include "sourcelanguages.h"

#include <QFileInfo>
#include <QPointer>
#include <QQmlAbstractUrlInterceptor>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

namespace {

// While the recorder's pageDoubles is set, the pages of the compiled scene
// (qrc:/modules/qml/J2/) load as the doubles in doubles/, so that a test of
// the main screen sees in the call log what it asks of each page, whatever
// the real pages do. Pages loaded from the source tree stay real, and so do
// the pages the recorder names in realPages (a page tested among doubles).
class PageDoubles : public QQmlAbstractUrlInterceptor
{
public:
    void setRecorder(QObject *recorder) { m_recorder = recorder; }

    QUrl intercept(const QUrl &url, DataType type) override
    {
        if (type != QmlFile || !m_recorder || !m_recorder->property("pageDoubles").toBool()
            || url.scheme() != QLatin1String("qrc")
            || !url.path().startsWith(QLatin1String("/modules/qml/J2/"))
            || m_recorder->property("realPages").toStringList().contains(url.fileName()))
            return url;
        const QString pageDouble = QStringLiteral(QUICK_TEST_SOURCE_DIR "/doubles/") + url.fileName();
        return QFileInfo::exists(pageDouble) ? QUrl::fromLocalFile(pageDouble) : url;
    }

private:
    QPointer<QObject> m_recorder;
};

} // namespace

class Setup : public QObject
{
    Q_OBJECT

public slots:
    // Called once per test file, each with a fresh engine.
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        registerSceneTypes();
        const SceneFakes fakes = createSceneFakes(*engine);
        QQmlContext *context = engine->rootContext();
        context->setContextProperty(QStringLiteral("fake"), fakes.recorder);
        context->setContextProperty(QStringLiteral("ui_View"), fakes.view);
        context->setContextProperty(QStringLiteral("hid"), fakes.hid);
        context->setContextProperty(QStringLiteral("ui_Ctl"), fakes.ctl);
        context->setContextProperty(QStringLiteral("languages"), new SourceLanguages(engine));
        m_doubles.setRecorder(fakes.recorder);
        engine->addUrlInterceptor(&m_doubles);
    }

private:
    PageDoubles m_doubles;
};

QUICK_TEST_MAIN_WITH_SETUP(test_scene_qml, Setup)

#include "main.moc"
