#include "reportrates.h"

namespace {

struct Rate
{
    int hz;
    int code;
};

constexpr Rate kRates[ReportRates::kRows] = {{125, 8}, {250, 4}, {500, 2}, {1000, 1}};

bool isRow(int row)
{
    return row >= 0 && row < ReportRates::kRows;
}

} // namespace

ReportRates::ReportRates(QObject *parent)
    : QObject(parent)
{}

QStringList ReportRates::rowTexts()
{
    QStringList texts;
    for (const Rate &rate : kRates)
        texts << QStringLiteral("%1Hz").arg(rate.hz);
    return texts;
}

int ReportRates::hz(int row)
{
    return isRow(row) ? kRates[row].hz : 0;
}

int ReportRates::rowOfHz(int hz)
{
    for (int row = 0; row < kRows; ++row) {
        if (kRates[row].hz == hz)
            return row;
    }
    return -1;
}

int ReportRates::code(int row)
{
    return isRow(row) ? kRates[row].code : 1;
}
