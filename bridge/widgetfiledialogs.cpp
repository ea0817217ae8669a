#include "widgetfiledialogs.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace {

QString desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

} // namespace

WidgetFileDialogs::WidgetFileDialogs(QWidget *parent)
    : m_parent(parent)
{}

QString WidgetFileDialogs::openFile(const QString &caption, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, desktopFolder(), filter);
}

QString WidgetFileDialogs::saveFile(const QString &caption, const QString &filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, desktopFolder(), filter);
}
