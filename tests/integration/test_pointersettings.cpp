// The system-setting page's three pointer settings on the Linux desktops,
// over private back ends only: GSettings' key-file back end and a KDE
// configuration folder under a temporary XDG_CONFIG_HOME, and a private
// session bus (the test runs under dbus-run-session). The machine's own
// settings are never touched.
#include "kdeconfigfile.h"
#include "pointerscales.h"
#include "pointersettings.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cmath>

namespace {

QString configHome()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME");
}

QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeText(const QString &path, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

} // namespace

class TestPointerSettings : public QObject
{
    Q_OBJECT

public slots:
    void onNotifyChange(int type, int category) { m_notices.append({type, category}); }
    void onConfigChanged(const QDBusMessage &message) { m_configSignatures.append(message.signature()); }

private:
    QList<QPair<int, int>> m_notices;
    QStringList m_configSignatures;

private slots:
    void initTestCase()
    {
        // Refuse to run against the user's own settings.
        QVERIFY2(qEnvironmentVariable("GSETTINGS_BACKEND") == QLatin1String("keyfile"),
                 "run with GSETTINGS_BACKEND=keyfile");
        QVERIFY2(configHome().contains(QLatin1String("pointer-config")),
                 "run with a private XDG_CONFIG_HOME");
        QVERIFY(QDir(configHome()).removeRecursively());
        QVERIFY(QDir().mkpath(configHome()));
    }

    // Every page step to each desktop's unit and back, and desktop values
    // set elsewhere to the nearest step.
    void scalesBothWays()
    {
        using namespace PointerScales;
        const uint windowsSpeeds[] = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
        for (uint step = 0; step <= kLastStep; ++step) {
            QCOMPARE(windowsCursorSpeed(step), windowsSpeeds[step]);
            QCOMPARE(stepOfWindowsCursorSpeed(windowsCursorSpeed(step)), step);
            QVERIFY(std::abs(acceleration(step) - (static_cast<double>(step) - 5) / 5) < 1e-9);
            QCOMPARE(stepOfAcceleration(acceleration(step)), step);
            QCOMPARE(doubleClickTimeMs(step), 900 - 70 * step);
            QCOMPARE(stepOfDoubleClickTimeMs(static_cast<int>(doubleClickTimeMs(step))), step);
        }
        QCOMPARE(acceleration(0), -1.0);
        QCOMPARE(acceleration(10), 1.0);
        // Beyond the page's range: the nearest end, never a wrapped value.
        QCOMPARE(windowsCursorSpeed(0x80000000u), 20u);
        QCOMPARE(doubleClickTimeMs(13), 200u);
        QCOMPARE(doubleClickTimeMs(0xFFFFFFFFu), 200u);
        QCOMPARE(acceleration(99), 1.0);
        QCOMPARE(stepOfAcceleration(0.29), 6u);
        QCOMPARE(stepOfAcceleration(-7.0), 0u);
        QCOMPARE(stepOfAcceleration(std::nan("")), 5u);
        QCOMPARE(stepOfDoubleClickTimeMs(400), 7u); // GNOME's and KDE's default
        QCOMPARE(stepOfDoubleClickTimeMs(5000), 0u);
        QCOMPARE(stepOfDoubleClickTimeMs(-3), 10u);
        QCOMPARE(stepOfWindowsCursorSpeed(0), 0u);
        QCOMPARE(stepOfWindowsCursorSpeed(7), 3u);
        QCOMPARE(stepOfWindowsCursorSpeed(99), 10u);
        QCOMPARE(wheelScrollLines(1000), 1000u);
        QCOMPARE(linesOfWheelScrollLines(3), 3u);
        QCOMPARE(linesOfWheelScrollLines(1000), kOneScreen);
        QCOMPARE(linesOfWheelScrollLines(0), 1u);
    }

    void kdeConfigFileEdits_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("empty file") << QByteArray() << "KDE" << QByteArray("[KDE]\nWheelScrollLines=7\n");
        QTest::newRow("other group kept")
            << QByteArray("[General]\nColorScheme=Breeze\n") << "KDE"
            << QByteArray("[General]\nColorScheme=Breeze\n\n[KDE]\nWheelScrollLines=7\n");
        QTest::newRow("replaced in place, comments and locale variants kept")
            << QByteArray("# mine\n[KDE]\nWheelScrollLines[fr]=2\nWheelScrollLines = "
                          "3\nSingleClick=false\n\n[X]\nWheelScrollLines=9\n")
            << "KDE"
            << QByteArray("# "
                          "mine\n[KDE]\nWheelScrollLines[fr]=2\nWheelScrollLines=7\nSingleClick=false\n\n[X]"
                          "\nWheelScrollLines=9\n");
        QTest::newRow("added at the group's end, no final newline")
            << QByteArray("[KDE]\nSingleClick=false\n\n[Icons]\nTheme=breeze") << "KDE"
            << QByteArray("[KDE]\nSingleClick=false\nWheelScrollLines=7\n\n[Icons]\nTheme=breeze\n");
        QTest::newRow("nested group name")
            << QByteArray("[Libinput][1][2]\nWheelScrollLines=1\n") << "Libinput][1][2"
            << QByteArray("[Libinput][1][2]\nWheelScrollLines=7\n");
    }

    void kdeConfigFileEdits()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, group);
        QFETCH(QByteArray, after);
        const QString key = QStringLiteral("WheelScrollLines");
        QCOMPARE(KdeConfigFile::withEntry(before, group, key, QStringLiteral("7")), after);
        QCOMPARE(KdeConfigFile::entryIn(after, group, key), QStringLiteral("7"));
    }

    void gnomeKeepsSpeedAndDoubleClick()
    {
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        PointerSettings pointer;
        QCOMPARE(pointer.desktop(), QStringLiteral("GNOME"));
        QVERIFY(pointer.isAvailable(PointerSettings::CursorSpeed));
        QVERIFY(pointer.isAvailable(PointerSettings::DoubleClickSpeed));
        QVERIFY(!pointer.isAvailable(PointerSettings::WheelScrollLines));
        QVERIFY(!pointer.setWheelScrollLines(3));

        const QString keyfile = configHome() + QStringLiteral("/glib-2.0/settings/keyfile");
        const QString group = QStringLiteral("org/gnome/desktop/peripherals/mouse");
        for (uint step = 0; step <= PointerScales::kLastStep; ++step) {
            QVERIFY(pointer.setCursorSpeed(step));
            QVERIFY(pointer.setDoubleClickSpeed(step));
            const QByteArray stored = fileText(keyfile);
            const double speed = KdeConfigFile::entryIn(stored, group, QStringLiteral("speed")).toDouble();
            QVERIFY2(std::abs(speed - PointerScales::acceleration(step)) < 1e-9, stored.constData());
            QCOMPARE(PointerScales::stepOfAcceleration(speed), step);
            QCOMPARE(KdeConfigFile::entryIn(stored, group, QStringLiteral("double-click")).toUInt(),
                     PointerScales::doubleClickTimeMs(step));
        }
    }

    void kdeKeepsAllThreeAndIsTold()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY2(bus.isConnected(), "run under dbus-run-session");
        QVERIFY(bus.connect(QString(), QStringLiteral("/KGlobalSettings"),
                            QStringLiteral("org.kde.KGlobalSettings"), QStringLiteral("notifyChange"), this,
                            SLOT(onNotifyChange(int, int))));
        QVERIFY(bus.connect(QString(), QStringLiteral("/kdeglobals"),
                            QStringLiteral("org.kde.kconfig.notify"), QStringLiteral("ConfigChanged"), this,
                            SLOT(onConfigChanged(QDBusMessage))));

        const QString globals = configHome() + QStringLiteral("/kdeglobals");
        const QString input = configHome() + QStringLiteral("/kcminputrc");
        writeText(globals, "[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n");
        writeText(input, "[Keyboard]\nNumLock=0\n");

        qputenv("XDG_CURRENT_DESKTOP", "KDE");
        PointerSettings pointer;
        QCOMPARE(pointer.desktop(), QStringLiteral("KDE Plasma"));
        for (auto setting : {PointerSettings::CursorSpeed, PointerSettings::DoubleClickSpeed,
                             PointerSettings::WheelScrollLines})
            QVERIFY(pointer.isAvailable(setting));

        QVERIFY(pointer.setCursorSpeed(0));
        QVERIFY(pointer.setDoubleClickSpeed(10));
        QVERIFY(pointer.setWheelScrollLines(1000));
        QCOMPARE(fileText(input),
                 QByteArray("[Keyboard]\nNumLock=0\n\n[Mouse]\nXLbInptPointerAcceleration=-1.0\n"));
        QCOMPARE(fileText(globals), QByteArray("[General]\nColorScheme=Breeze\n\n[KDE]\nSingleClick=false\n"
                                               "DoubleClickInterval=200\nWheelScrollLines=1000\n"));
        QVERIFY(pointer.setCursorSpeed(7));
        QCOMPARE(
            KdeConfigFile(input).entry(QStringLiteral("Mouse"), QStringLiteral("XLbInptPointerAcceleration")),
            QStringLiteral("0.4"));

        // Plasma's programs hear of each change, as the mouse settings.
        QTRY_COMPARE(m_notices.size(), 4);
        for (const auto &notice : std::as_const(m_notices))
            QCOMPARE(notice, qMakePair(3, 0));
        // KConfigWatcher's notice: the changed keys by group.
        QTRY_COMPARE(m_configSignatures, QStringList({"a{saay}", "a{saay}"}));

        // An entry the administrator locked is not overwritten.
        writeText(globals, "[KDE]\nWheelScrollLines[$i]=3\n");
        QVERIFY(!pointer.setWheelScrollLines(5));
        QCOMPARE(fileText(globals), QByteArray("[KDE]\nWheelScrollLines[$i]=3\n"));
        // A configuration folder that cannot be written.
        QVERIFY(QFile::remove(globals));
        QVERIFY(QDir().mkpath(globals));
        QVERIFY(!pointer.setDoubleClickSpeed(3));
        QVERIFY(QDir(globals).removeRecursively());
    }

    void otherDesktopsKeepNone()
    {
        for (const char *desktop : {"XFCE", "", "sway"}) {
            qputenv("XDG_CURRENT_DESKTOP", desktop);
            PointerSettings pointer;
            QVERIFY(pointer.desktop().isEmpty());
            for (auto setting : {PointerSettings::CursorSpeed, PointerSettings::DoubleClickSpeed,
                                 PointerSettings::WheelScrollLines})
                QVERIFY(!pointer.isAvailable(setting));
            QVERIFY(!pointer.setCursorSpeed(5));
            QVERIFY(!pointer.setDoubleClickSpeed(5));
            QVERIFY(!pointer.setWheelScrollLines(3));
        }
    }
};

QTEST_GUILESS_MAIN(TestPointerSettings)
#include "test_pointersettings.moc"
