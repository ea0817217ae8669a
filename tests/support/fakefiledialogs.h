#pragma once

#include "filedialogs.h"

#include <QStringList>

// Answers every dialog with `answer` (empty: the user cancelled) and records
// how it was asked: "open|caption|filter" or "save|caption|filter|proposed".
class FakeFileDialogs : public FileDialogs
{
public:
    QString answer;
    QStringList asked;

    QString openFile(const QString &caption, const QString &filter) override
    {
        asked.append(QStringLiteral("open|%1|%2").arg(caption, filter));
        return answer;
    }
    QString saveFile(const QString &caption, const QString &filter, const QString &proposedName) override
    {
        asked.append(QStringLiteral("save|%1|%2|%3").arg(caption, filter, proposedName));
        return answer;
    }
};
