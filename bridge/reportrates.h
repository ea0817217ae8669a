#pragma once

#include <QObject>
#include <QStringList>

// The report-rate choices: the stored value is the row, the mouse is sent
// the report interval in milliseconds. One table for the scene's box and for
// kx20ctl.
class ReportRates : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList rowTexts READ rowTexts CONSTANT)

public:
    explicit ReportRates(QObject *parent = nullptr);

    static constexpr int kRows = 4;

    // "125Hz", "250Hz", "500Hz", "1000Hz".
    static QStringList rowTexts();
    // Rate in Hz of a row; 0 for no row.
    Q_INVOKABLE static int hz(int row);
    // Row of a rate in Hz; -1 when the mouse has no such rate.
    Q_INVOKABLE static int rowOfHz(int hz);
    // The code sent to the mouse for a stored row. Any other stored value
    // is sent as 1000 Hz.
    Q_INVOKABLE static int code(int row);
};
