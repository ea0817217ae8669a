#pragma once

#include <QQuickWidget>
#include <QVariant>

class Hid_Thread;

// The one object through which the scene reaches the native side: the view
// that shows the scene, the holder of the settings stores and the translator
// from scene values to device commands. Its public slots are the scene's
// operations, in their established order.
class myQQuickView : public QQuickWidget
{
    Q_OBJECT

public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    void setHidThread(Hid_Thread *hid) { hidThread = hid; }

    // The configured mouse model, read once at construction.
    const QString &chipFamily() const { return icType; }
    bool isGunModel() const { return isGun; }

    // Queued calls into the scene for the key and button capture.
    void notifyKeyboard(bool isDown, uchar usbCode);
    void notifyMouse(bool isDown, uint buttonCode, uint x, uint y);

public slots:
    void clearHidBusy();
    void initUI();
    void runUI();
    void mouseReadProfile(uint profileNo);
    void openUpdateExe();
    void setBusy(int busyTime);
    void setCurrentDPI(int dpiValue);

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    // Calls a function of the scene's root item by name; a missing scene or
    // function makes the call do nothing.
    void callScene(const char *function, Qt::ConnectionType type, const QVariantList &arguments = {});

    Hid_Thread *hidThread = nullptr;
    bool isColorful = false;
    bool isGun = false;
    QString icType;
    bool is55328 = false;
    bool is571 = false;
    // Images of the mouse's on-board profiles 0..4 (560 family).
    unsigned char m_profileImages[5][128] = {};
};
