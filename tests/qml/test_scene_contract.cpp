// The scene reaches the native side only through ui_View, hid and ui_Ctl,
// by slot name, checked only at run time: a misspelt name or a wrong number
// of arguments fails silently in front of the user. This test reads every
// call the QML and JavaScript make on those objects and checks it against
// the real classes, and checks that the recording fakes the scene's tests
// use offer nothing the real classes lack.

#include "hidthread.h"
#include "myqquickview.h"
#include "scenefakes.h"
#include "ui_controler.h"

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QMetaMethod>
#include <QQmlEngine>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

// Argument counts of every public slot and invokable of a class, inherited
// ones included (the view's setEnabled comes from QWidget).
QMap<QByteArray, QSet<int>> operations(const QMetaObject &meta)
{
    QMap<QByteArray, QSet<int>> result;
    for (int i = 0; i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.access() == QMetaMethod::Public
            && (method.methodType() == QMetaMethod::Slot || method.methodType() == QMetaMethod::Method))
            result[method.name()].insert(method.parameterCount());
    }
    return result;
}

const QMetaObject &realClass(const QString &contextName)
{
    if (contextName == QLatin1String("hid"))
        return Hid_Thread::staticMetaObject;
    if (contextName == QLatin1String("ui_Ctl"))
        return Ui_Controler::staticMetaObject;
    return myQQuickView::staticMetaObject;
}

// Number of arguments of the call whose "(" is at `open`: top-level commas
// plus one, or 0 for empty parentheses; -1 when the parentheses do not close.
int countArguments(const QString &text, qsizetype open)
{
    int depth = 0;
    int commas = 0;
    bool empty = true;
    QChar quote;
    for (qsizetype i = open; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quote.isNull()) {
            if (c == QLatin1Char('\\'))
                ++i;
            else if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char('`'))
            quote = c;
        if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) {
            ++depth;
        } else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}')) {
            if (--depth == 0)
                return empty ? 0 : commas + 1;
        } else if (c == QLatin1Char(',') && depth == 1) {
            ++commas;
        }
        if (depth >= 1 && i > open && !c.isSpace())
            empty = false;
    }
    return -1;
}

struct SceneCall
{
    QString where; // file:line
    QString object;
    QString name;
    int arguments;
};

QList<SceneCall> sceneCalls(const QString &sceneDir)
{
    static const QRegularExpression call(QStringLiteral("\\b(ui_View|hid|ui_Ctl)\\s*\\.\\s*(\\w+)\\s*\\("));
    QList<SceneCall> calls;
    QDirIterator files(sceneDir, {QStringLiteral("*.qml"), QStringLiteral("*.js")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        const QString shortPath = QDir(sceneDir).relativeFilePath(path);
        for (const QRegularExpressionMatch &m : call.globalMatch(text)) {
            const int line = int(text.left(m.capturedStart()).count(QLatin1Char('\n'))) + 1;
            calls.append({shortPath + QLatin1Char(':') + QString::number(line), m.captured(1), m.captured(2),
                          countArguments(text, m.capturedEnd() - 1)});
        }
    }
    return calls;
}

} // namespace

class TestSceneContract : public QObject
{
    Q_OBJECT

private slots:
    void countsArguments_data();
    void countsArguments();
    void sceneCallsRealOperations();
    void fakesOfferOnlyRealOperations_data();
    void fakesOfferOnlyRealOperations();
};

void TestSceneContract::countsArguments_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("arguments");
    QTest::newRow("none") << "ui_View.runUI()" << 0;
    QTest::newRow("blank") << "ui_View.runUI( )" << 0;
    QTest::newRow("one") << "ui_View.setEnabled(false)" << 1;
    QTest::newRow("two") << "ui_View.getData(\"mouse/reportRate\", false)" << 2;
    QTest::newRow("nested call") << "ui_View.setCurrentProfile(Values.toInt(n, 0))" << 1;
    QTest::newRow("array and object") << "ui_View.setDataList(key, [1, 2, 3], {a: 1, b: 2})" << 3;
    QTest::newRow("commas in strings") << "ui_View.f('a,b', \"c,(d\", `e,f`)" << 3;
    QTest::newRow("escaped quote") << "ui_View.f(\"a\\\",b\", c)" << 2;
    QTest::newRow("over lines") << "ui_View.updataNameList(2,\n    names)" << 2;
    QTest::newRow("unclosed") << "ui_View.f(a, b" << -1;
}

void TestSceneContract::countsArguments()
{
    QFETCH(QString, call);
    QFETCH(int, arguments);
    QCOMPARE(countArguments(call, call.indexOf(QLatin1Char('('))), arguments);
}

void TestSceneContract::sceneCallsRealOperations()
{
    const QList<SceneCall> calls = sceneCalls(QStringLiteral(KX20_SOURCE_DIR "/modules/qml"));
    // The scanner must see the scene's calls at all, or nothing is checked.
    QVERIFY2(calls.size() > 20, qPrintable(QString::number(calls.size()) + " calls found"));
    QStringList faults;
    for (const SceneCall &call : calls) {
        const QMap<QByteArray, QSet<int>> real = operations(realClass(call.object));
        const QSet<int> counts = real.value(call.name.toLatin1());
        if (counts.isEmpty())
            faults
                << call.where
                       + QStringLiteral(": %1.%2 is no slot of the real object").arg(call.object, call.name);
        else if (!counts.contains(call.arguments))
            faults << call.where
                          + QStringLiteral(": %1.%2 called with %3 arguments")
                                .arg(call.object, call.name)
                                .arg(call.arguments);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestSceneContract::fakesOfferOnlyRealOperations_data()
{
    QTest::addColumn<QString>("contextName");
    QTest::newRow("ui_View") << "ui_View";
    QTest::newRow("hid") << "hid";
    QTest::newRow("ui_Ctl") << "ui_Ctl";
}

void TestSceneContract::fakesOfferOnlyRealOperations()
{
    QFETCH(QString, contextName);
    QQmlEngine engine;
    const SceneFakes fakes = createSceneFakes(engine);
    const QObject *fake = contextName == QLatin1String("hid")      ? fakes.hid
                          : contextName == QLatin1String("ui_Ctl") ? fakes.ctl
                                                                   : fakes.view;
    const QMap<QByteArray, QSet<int>> real = operations(realClass(contextName));
    const QMetaObject *meta = fake->metaObject();
    QStringList faults;
    int offered = 0;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        if (method.methodType() == QMetaMethod::Signal)
            continue;
        ++offered;
        if (!real.value(method.name()).contains(method.parameterCount()))
            faults << QString::fromLatin1(method.methodSignature());
    }
    QVERIFY(offered > 0);
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("not on the real class: ") + faults.join(QLatin1String(", "))));
}

QTEST_MAIN(TestSceneContract)

#include "test_scene_contract.moc"
