#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>

// What hidapi reports for one HID interface; only the fields the device link
// looks at, plus enough to tell interfaces apart in listings.
struct HidDeviceInfo
{
    QByteArray path;
    quint16 vendorId = 0;
    quint16 productId = 0;
    quint16 usagePage = 0;
    quint16 usage = 0;
    int interfaceNumber = -1;
    QString product;
};

// Opaque handle of an open interface. Each backend decides what it points to.
struct HidHandleTag;
using HidHandle = HidHandleTag *;

// Exactly the hidapi calls the device link makes, with hidapi's conventions:
// byte counts or -1 from the transfer calls, a null handle from a failed open,
// and data buffers whose first byte is the report id.
class HidBackend
{
public:
    virtual ~HidBackend();

    // vendorId/productId 0 match every device.
    virtual QList<HidDeviceInfo> enumerate(quint16 vendorId, quint16 productId) = 0;
    virtual HidHandle openPath(const QByteArray &path) = 0;
    virtual int setNonblocking(HidHandle handle, int nonblock) = 0;
    virtual int sendFeatureReport(HidHandle handle, const unsigned char *data, size_t length) = 0;
    virtual int getFeatureReport(HidHandle handle, unsigned char *data, size_t length) = 0;
    virtual int write(HidHandle handle, const unsigned char *data, size_t length) = 0;
    virtual int read(HidHandle handle, unsigned char *data, size_t length) = 0;
    virtual int readTimeout(HidHandle handle, unsigned char *data, size_t length, int milliseconds) = 0;
    virtual void close(HidHandle handle) = 0;
};
