#pragma once

#include "filedialogs.h"

#include <QPointer>
#include <QWidget>

// The system's file dialogs over a widget, opening in the user's desktop
// folder.
class WidgetFileDialogs : public FileDialogs
{
public:
    explicit WidgetFileDialogs(QWidget *parent);

    QString openFile(const QString &caption, const QString &filter) override;
    QString saveFile(const QString &caption, const QString &filter) override;

private:
    QPointer<QWidget> m_parent;
};
