#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QSettings;

// One row of the device table: how to recognise a supported mouse and its two
// interfaces, and how to talk to it.
struct DeviceEntry
{
    // Bulk reports are sized from reportLength; keep every configured value
    // within what a report buffer can hold.
    static constexpr int kMinReportLength = 1;
    static constexpr int kMaxReportLength = 4096;

    int type = -1;
    quint16 vid = 0;
    quint16 pid = 0;
    quint16 usagePage = 0;
    quint16 usage = 0;
    quint16 usagePage2 = 0;
    quint16 usage2 = 0;
    int reportLength = 32;
    bool isEncode = false;
    QString sCode = QStringLiteral("483915");
    // Filled by discovery; empty when the interface was not found.
    QByteArray commandPath;
    QByteArray eventPath;

    // Reads row `group` ("0", "1", ...) with the defaults of a missing key.
    static DeviceEntry fromSettings(const QSettings &settings, const QString &group);
    // Rows 0 .. deviceCount-1 of an INI file; empty when the file or the
    // count is missing.
    static QList<DeviceEntry> readTable(const QString &iniPath);
    // Base-16 text to number; text that does not parse gives 0.
    static quint32 parseHex(const QString &text);
};
