#include "myqquickview.h"

#include "hidthread.h"

#include <QQuickItem>
#include <QSettings>

namespace {

bool readBool(const QSettings &settings, const QString &key)
{
    const QString text = settings.value(key).toString().trimmed();
    return !text.isEmpty() && text != QLatin1String("0")
           && text.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
}

} // namespace

myQQuickView::myQQuickView(QWidget *parent)
    : QQuickWidget(parent)
{
    const QSettings apConfig(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    isColorful = readBool(apConfig, QStringLiteral("mouse/isColorful"));
    isGun = readBool(apConfig, QStringLiteral("mouse/isGun"));
    icType = apConfig.value(QStringLiteral("mouse/icType")).toString();
    is55328 = readBool(apConfig, QStringLiteral("mouse/is55328"));
    is571 = readBool(apConfig, QStringLiteral("mouse/is571"));
}

myQQuickView::~myQQuickView() = default;

void myQQuickView::callScene(const char *function, Qt::ConnectionType type, const QVariantList &arguments)
{
    QQuickItem *root = rootObject();
    if (!root)
        return;
    switch (arguments.size()) {
    case 0:
        QMetaObject::invokeMethod(root, function, type);
        break;
    case 1:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, arguments[0]));
        break;
    case 2:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, arguments[0]),
                                  Q_ARG(QVariant, arguments[1]));
        break;
    default:
        QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, arguments.value(0)),
                                  Q_ARG(QVariant, arguments.value(1)), Q_ARG(QVariant, arguments.value(2)),
                                  Q_ARG(QVariant, arguments.value(3)));
        break;
    }
}

void myQQuickView::clearHidBusy()
{
    if (hidThread)
        hidThread->freeLink();
}

void myQQuickView::initUI()
{
    callScene("initUI", Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    callScene("run", Qt::QueuedConnection);
}

void myQQuickView::setBusy(int busyTime)
{
    callScene("setProtectUI", Qt::DirectConnection, {busyTime});
}

void myQQuickView::setCurrentDPI(int dpiValue)
{
    callScene("setCurrentDPI", Qt::DirectConnection, {dpiValue});
}

void myQQuickView::notifyKeyboard(bool isDown, uchar usbCode)
{
    callScene("detectKeyboard", Qt::QueuedConnection, {isDown, int(usbCode)});
}

void myQQuickView::notifyMouse(bool isDown, uint buttonCode, uint x, uint y)
{
    callScene("detectMouse", Qt::QueuedConnection, {isDown, buttonCode, x, y});
}

void myQQuickView::openUpdateExe()
{}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    if (!hidThread || profileNo >= 5)
        return;
    hidThread->hid560_8CH_readProfile(m_profileImages[profileNo], static_cast<uchar>(profileNo));
}

void myQQuickView::focusInEvent(QFocusEvent *event)
{
    // The translucent scene can be left half drawn behind other windows.
    repaint();
    event->accept();
}
