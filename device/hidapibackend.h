#pragma once

#include "hidbackend.h"

// The real HID devices, through hidapi (hidraw on Linux).
class HidapiBackend final : public HidBackend
{
public:
    HidapiBackend();
    ~HidapiBackend() override;

    QList<HidDeviceInfo> enumerate(quint16 vendorId, quint16 productId) override;
    HidHandle openPath(const QByteArray &path) override;
    int setNonblocking(HidHandle handle, int nonblock) override;
    int sendFeatureReport(HidHandle handle, const unsigned char *data, size_t length) override;
    int getFeatureReport(HidHandle handle, unsigned char *data, size_t length) override;
    int write(HidHandle handle, const unsigned char *data, size_t length) override;
    int read(HidHandle handle, unsigned char *data, size_t length) override;
    int readTimeout(HidHandle handle, unsigned char *data, size_t length, int milliseconds) override;
    void close(HidHandle handle) override;

    // The backend every device link uses unless it is given another.
    static HidapiBackend &instance();
};
