#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// An application with a window on the desktop, by the names a profile link
// can use.
struct WindowApplication
{
    // The two halves of the window's WM_CLASS ("Navigator", "firefox").
    QString instanceName;
    QString windowClass;
    // The file name of the process's executable ("firefox-esr"); empty when
    // the window names no process or it is not ours to look at.
    QString executable;

    bool isEmpty() const { return instanceName.isEmpty() && windowClass.isEmpty() && executable.isEmpty(); }
    // The names to match, most telling first, each once.
    QStringList names() const
    {
        QStringList list;
        for (const QString &name : {windowClass, instanceName, executable}) {
            if (!name.isEmpty() && !list.contains(name, Qt::CaseInsensitive))
                list << name;
        }
        return list;
    }
    // What the user is shown: the class, else the executable, else the instance.
    QString displayName() const
    {
        return !windowClass.isEmpty() ? windowClass : !executable.isEmpty() ? executable : instanceName;
    }
    bool operator==(const WindowApplication &o) const
    {
        return instanceName == o.instanceName && windowClass == o.windowClass && executable == o.executable;
    }
    bool operator!=(const WindowApplication &o) const { return !(*this == o); }
};

// The applications found for the user to pick from: each once, the nameless
// left out, sorted by the name shown (ignoring case).
QList<WindowApplication> distinctApplications(const QList<WindowApplication> &found);

Q_DECLARE_METATYPE(WindowApplication)
