#pragma once

#include "filedialogs.h"

#include <QPointer>
#include <QWidget>

// The file dialogs of the desktop where Qt's platform integration offers
// them, else Qt's own, over a widget. Each opens in the folder used last
// (the home folder at first) and adds the filter's extension to a name
// typed without one.
class WidgetFileDialogs : public FileDialogs
{
public:
    explicit WidgetFileDialogs(QWidget *parent);

    QString openFile(const QString &caption, const QString &filter) override;
    QString saveFile(const QString &caption, const QString &filter, const QString &proposedName) override;

    QString startFolder() const;

private:
    QString ask(const QString &caption, const QString &filter, const QString &proposedName, bool saving);

    QPointer<QWidget> m_parent;
    QString m_lastFolder;
};
