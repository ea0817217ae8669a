#pragma once

#include <QObject>
#include <QStringList>

// The language files of the source tree, for scene tests that look at the
// real texts: what the bridge would give the scene for a section.
class SourceLanguages : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    Q_INVOKABLE QStringList strings(const QString &section, const QString &language) const;
};
