// The protocol table against the command layer: every command the device
// link can send is in the table once, under its own name, and goes out with
// the code, bulk length and pacing the table gives it.
#include "devicelinkfixture.h"
#include "protocoltable.h"

#include <QMetaMethod>
#include <QSet>
#include <QTest>

#include <functional>

namespace {

using ProtocolTable::Family;

struct Call
{
    const char *name;
    std::function<void(Hid_Thread &)> send;
};

// Every command slot of the link, called as the program calls it.
QList<Call> calls()
{
    static uchar bytes[128] = {};
    static uchar a = 0, b = 0, c = 0, d = 0;
    return {
        {"hid553_00H_GetSecrecyCode",
         [](Hid_Thread &h) {
             h.hid553_00H_GetSecrecyCode(a, b, c, d);
         }},
        {"hid553_01H_SetReportRate",
         [](Hid_Thread &h) {
             h.hid553_01H_SetReportRate(2);
         }},
        {"hid553_02H_SetCurrentKeyMatrix",
         [](Hid_Thread &h) {
             h.hid553_02H_SetCurrentKeyMatrix(1);
         }},
        {"hid553_03H_SetKeyboardoption",
         [](Hid_Thread &h) {
             h.hid553_03H_SetKeyboardoption(1, 2, 3, 4);
         }},
        {"hid553_04H_SetGunData",
         [](Hid_Thread &h) {
             h.hid553_04H_SetGunData(1, 2, 3, 0);
         }},
        {"hid553_0BH_SetCurrentDPI",
         [](Hid_Thread &h) {
             h.hid553_0BH_SetCurrentDPI(2);
         }},
        {"hid553_0CH_SetFixLEDColor",
         [](Hid_Thread &h) {
             h.hid553_0CH_SetFixLEDColor(bytes);
         }},
        {"hid553_0DH_SetRGBLedEffect",
         [](Hid_Thread &h) {
             h.hid553_0DH_SetRGBLedEffect(1, 2, 3);
         }},
        {"hid553_10H_SetLED8StageColor",
         [](Hid_Thread &h) {
             h.hid553_10H_SetLED8StageColor(0, bytes);
         }},
        {"hid553_11H_SetDPISet",
         [](Hid_Thread &h) {
             h.hid553_11H_SetDPISet(4, bytes);
         }},
        {"hid553_12H_SetKeyMatrix",
         [](Hid_Thread &h) {
             h.hid553_12H_SetKeyMatrix(bytes, 1);
         }},
        {"hid553_13H_SetMacroKey",
         [](Hid_Thread &h) {
             h.hid553_13H_SetMacroKey(1, bytes);
         }},
        {"hid553_83H_GetKeyboardoption",
         [](Hid_Thread &h) {
             h.hid553_83H_GetKeyboardoption(a, b, c, d);
         }},
        {"hid553_8BH_GetCurrentDPI",
         [](Hid_Thread &h) {
             h.hid553_8BH_GetCurrentDPI(a);
         }},
        {"hid560_01H_SetKeyboardoption",
         [](Hid_Thread &h) {
             h.hid560_01H_SetKeyboardoption(1, 2);
         }},
        {"hid560_02H_SetCurrentProfile",
         [](Hid_Thread &h) {
             h.hid560_02H_SetCurrentProfile(1);
         }},
        {"hid560_03H_SetReportRate",
         [](Hid_Thread &h) {
             h.hid560_03H_SetReportRate(2);
         }},
        {"hid560_04H_SetCurrentDPI",
         [](Hid_Thread &h) {
             h.hid560_04H_SetCurrentDPI(2);
         }},
        {"hid560_0CH_setProfile",
         [](Hid_Thread &h) {
             h.hid560_0CH_setProfile(bytes, 1);
         }},
        {"hid560_0DH_SetKeyMatrix",
         [](Hid_Thread &h) {
             h.hid560_0DH_SetKeyMatrix(bytes, 1);
         }},
        {"hid560_0FH_SetMacroKey",
         [](Hid_Thread &h) {
             h.hid560_0FH_SetMacroKey(1, bytes);
         }},
        {"hid560_81H_GetKeyboardoption",
         [](Hid_Thread &h) {
             h.hid560_81H_GetKeyboardoption(a, b);
         }},
        {"hid560_82H_GetCurrentProfile",
         [](Hid_Thread &h) {
             h.hid560_82H_GetCurrentProfile(a);
         }},
        {"hid560_84H_GetCurrentDPI",
         [](Hid_Thread &h) {
             h.hid560_84H_GetCurrentDPI(a, b);
         }},
        {"hid560_8CH_readProfile",
         [](Hid_Thread &h) {
             h.hid560_8CH_readProfile(bytes, 1);
         }},
    };
}

// The link's command slots by name.
QStringList commandSlots()
{
    QStringList names;
    const QMetaObject &meta = Hid_Thread::staticMetaObject;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QByteArray name = meta.method(i).name();
        if (name.startsWith("hid553_") || name.startsWith("hid560_"))
            names.append(QString::fromLatin1(name));
    }
    return names;
}

} // namespace

class TestProtocolTable : public QObject
{
    Q_OBJECT

private slots:
    // One row per command of a family, and a row for every slot of the link
    // (the 560 handshake goes through the 553 slot).
    void everyCommandIsInTheTableOnce()
    {
        QSet<QPair<int, int>> seen;
        QStringList tableNames;
        for (const ProtocolTable::Command &c : ProtocolTable::commands()) {
            const QPair<int, int> key{int(c.family), c.code};
            QVERIFY2(!seen.contains(key), c.name);
            seen.insert(key);
            tableNames.append(QString::fromLatin1(c.name));
            QCOMPARE(ProtocolTable::find(c.family, c.code), &c);
            QCOMPARE(ProtocolTable::name(c.family, c.code), QString::fromLatin1(c.name));
            // The name says the family and code.
            QVERIFY(QString::fromLatin1(c.name).startsWith(
                QStringLiteral("hid%1_%2H_")
                    .arg(c.family == Family::F560 ? QStringLiteral("560") : QStringLiteral("553"))
                    .arg(QStringLiteral("%1").arg(c.code, 2, 16, QLatin1Char('0')).toUpper())));
        }
        for (const QString &slot : commandSlots())
            QVERIFY2(tableNames.contains(slot), qPrintable(slot));
        QStringList called;
        for (const Call &call : calls())
            called.append(QString::fromLatin1(call.name));
        for (const QString &name : tableNames) {
            if (name != QLatin1String("hid560_00H_GetSecrecyCode"))
                QVERIFY2(called.contains(name), qPrintable(name));
        }
        QCOMPARE(ProtocolTable::name(Family::F560, 0x5A), QStringLiteral("hid560_5AH"));
    }

    // What each slot puts on the wire is what its row says.
    void slotsSendWhatTheTableSays()
    {
        for (const Call &call : calls()) {
            const QString name = QString::fromLatin1(call.name);
            const Family family = name.startsWith(QLatin1String("hid560")) ? Family::F560 : Family::F553;
            const ProtocolTable::Command *row = nullptr;
            for (const ProtocolTable::Command &c : ProtocolTable::commands()) {
                if (name == QLatin1String(c.name))
                    row = &c;
            }
            QVERIFY2(row, call.name);

            DeviceLinkFixture link;
            EmulatedMouse &mouse = link.connect(DeviceLinkFixture::identity(
                family == Family::F560 ? ChipFamily::F560 : ChipFamily::F553, 32));
            if (family == Family::F560)
                mouse.setProfileImage(1, QByteArray(128, '\x11'));
            QList<int> codes;
            link.hid.setRequestObserver([&codes](const unsigned char *request) {
                codes.append(request[1]);
            });
            call.send(link.hid);

            QVERIFY2(!codes.isEmpty(), call.name);
            for (int code : codes)
                QCOMPARE(code, int(row->code));
            const QList<EmulatedMouse::Command> received = mouse.commands();
            QVERIFY2(!received.isEmpty(), call.name);
            const QList<int> pauses = link.clock.pauses();
            if (row->direction == ProtocolTable::Direction::Set) {
                QCOMPARE(int(received.last().bulk.size()), row->bulkLength);
                if (row->pace == ProtocolTable::Pace::Short) {
                    QCOMPARE(pauses, QList<int>{ProtocolTable::kShortPauseMs});
                } else {
                    // Each request: the settle, then the bulk reports and the
                    // settle again.
                    const int reports = (row->bulkLength + 31) / 32;
                    QList<int> expected;
                    for (int request = 0; request < codes.size(); ++request) {
                        expected << Hid_Thread::kSettleHalfMs << Hid_Thread::kSettleHalfMs;
                        if (reports > 0) {
                            for (int r = 0; r < reports; ++r)
                                expected << Hid_Thread::kOutputReportPauseMs;
                            expected << Hid_Thread::kSettleHalfMs << Hid_Thread::kSettleHalfMs;
                        }
                    }
                    QCOMPARE(pauses, expected);
                }
            } else {
                QCOMPARE(row->pace, ProtocolTable::Pace::None);
                QVERIFY2(pauses.isEmpty(), call.name);
                const int inputReports = int(link.backend.calls(HidCall::ReadTimeout).size());
                QCOMPARE(inputReports, (row->bulkLength + 31) / 32);
            }
            const QString leftovers = link.leftovers();
            QVERIFY2(leftovers.isEmpty(), qPrintable(name + QLatin1String(": ") + leftovers));
        }
    }
};

QTEST_GUILESS_MAIN(TestProtocolTable)
#include "test_protocoltable.moc"
