#include "hidapibackend.h"

#include <hidapi.h>

namespace {

hid_device *device(HidHandle handle)
{
    return reinterpret_cast<hid_device *>(handle);
}

} // namespace

HidapiBackend::HidapiBackend()
{
    hid_init();
}

HidapiBackend::~HidapiBackend()
{
    hid_exit();
}

HidapiBackend &HidapiBackend::instance()
{
    static HidapiBackend backend;
    return backend;
}

QList<HidDeviceInfo> HidapiBackend::enumerate(quint16 vendorId, quint16 productId)
{
    QList<HidDeviceInfo> result;
    hid_device_info *list = hid_enumerate(vendorId, productId);
    for (const hid_device_info *d = list; d; d = d->next) {
        HidDeviceInfo info;
        info.path = QByteArray(d->path ? d->path : "");
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.usagePage = d->usage_page;
        info.usage = d->usage;
        info.interfaceNumber = d->interface_number;
        if (d->product_string)
            info.product = QString::fromWCharArray(d->product_string);
        result.append(info);
    }
    hid_free_enumeration(list);
    return result;
}

HidHandle HidapiBackend::openPath(const QByteArray &path)
{
    return reinterpret_cast<HidHandle>(hid_open_path(path.constData()));
}

int HidapiBackend::setNonblocking(HidHandle handle, int nonblock)
{
    return hid_set_nonblocking(device(handle), nonblock);
}

int HidapiBackend::sendFeatureReport(HidHandle handle, const unsigned char *data, size_t length)
{
    return hid_send_feature_report(device(handle), data, length);
}

int HidapiBackend::getFeatureReport(HidHandle handle, unsigned char *data, size_t length)
{
    return hid_get_feature_report(device(handle), data, length);
}

int HidapiBackend::write(HidHandle handle, const unsigned char *data, size_t length)
{
    return hid_write(device(handle), data, length);
}

int HidapiBackend::read(HidHandle handle, unsigned char *data, size_t length)
{
    return hid_read(device(handle), data, length);
}

int HidapiBackend::readTimeout(HidHandle handle, unsigned char *data, size_t length, int milliseconds)
{
    return hid_read_timeout(device(handle), data, length, milliseconds);
}

void HidapiBackend::close(HidHandle handle)
{
    hid_close(device(handle));
}
