#include "deviceentry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDeviceEntry : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeIni(const QByteArray &content)
    {
        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("apConfig%1.bin").arg(++n));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(content);
        return path;
    }

private slots:
    void readsRowsInGroupOrder()
    {
        const auto table = DeviceEntry::readTable(writeIni("[common]\ndeviceCount=2\n"
                                                           "[0]\ntype=0\nvid=04d9\npid=8008\nusagePage=ff01\n"
                                                           "usage=0001\nusagePage2=ff02\nusage2=0001\n"
                                                           "reportLength=64\n"
                                                           "[1]\ntype=1\nvid=04D9\npid=a1ee\nusagePage=ff00\n"
                                                           "usage=ff00\nusagePage2=ff01\nusage2=ff01\n"
                                                           "isEncode=TRUE\nsCode=123456\n"));
        QCOMPARE(table.size(), 2);
        QCOMPARE(table[0].type, 0);
        QCOMPARE(table[0].pid, 0x8008);
        QCOMPARE(table[0].usagePage2, 0xff02);
        QCOMPARE(table[0].reportLength, 64);
        QVERIFY(!table[0].isEncode);
        QCOMPARE(table[0].sCode, QStringLiteral("483915"));
        QCOMPARE(table[1].vid, 0x04d9);
        QCOMPARE(table[1].usage2, 0xff01);
        QCOMPARE(table[1].reportLength, 32);
        QVERIFY(table[1].isEncode);
        QCOMPARE(table[1].sCode, QStringLiteral("123456"));
        QVERIFY(table[1].commandPath.isEmpty() && table[1].eventPath.isEmpty());
    }

    void missingFileOrCountGivesNoRows()
    {
        QVERIFY(DeviceEntry::readTable(m_dir.filePath(QStringLiteral("absent.bin"))).isEmpty());
        QVERIFY(DeviceEntry::readTable(writeIni("[0]\nvid=04d9\n")).isEmpty());
        QVERIFY(DeviceEntry::readTable(writeIni("")).isEmpty());
        QVERIFY(DeviceEntry::readTable(writeIni("[common]\ndeviceCount=-3\n")).isEmpty());
        QVERIFY(DeviceEntry::readTable(writeIni("\x01\x02garbage\xff\xfe\n=\n[[[\n")).isEmpty());
    }

    void badValuesReadAsDefinedValues()
    {
        const auto table = DeviceEntry::readTable(writeIni("[common]\ndeviceCount=4\n"
                                                           "[0]\nvid=zz\npid=12345\ntype=oops\n"
                                                           "reportLength=-5\n"
                                                           "[1]\nreportLength=99999999999\n"
                                                           "[2]\nreportLength=sixty\n"));
        QCOMPARE(table.size(), 4);
        QCOMPARE(table[0].vid, 0);
        QCOMPARE(table[0].pid, 0x2345); // kept in its low 16 bits
        QCOMPARE(table[0].type, 0);
        QCOMPARE(table[0].reportLength, DeviceEntry::kMinReportLength);
        QCOMPARE(table[1].reportLength, DeviceEntry::kMaxReportLength);
        QCOMPARE(table[2].reportLength, DeviceEntry::kMinReportLength);
        // A row without keys has every default.
        QCOMPARE(table[3].type, -1);
        QCOMPARE(table[3].reportLength, 32);
    }
};

QTEST_APPLESS_MAIN(TestDeviceEntry)
#include "test_deviceentry.moc"
