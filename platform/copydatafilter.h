#pragma once

#include <QAbstractNativeEventFilter>
#include <QtGlobal>

// The payload of a copy-data message, as another program sent it: a tag, a
// byte count and the bytes (valid only during the handler call).
struct CopyDataMessage
{
    quintptr tag = 0;
    quint32 size = 0;
    const void *data = nullptr;
};

// Application-wide native event filter that hands copy-data messages to one
// handler and tells the system they were handled. Only Windows has these
// messages; elsewhere the filter is not available and never matches.
class CopyDataFilter : public QAbstractNativeEventFilter
{
public:
    using Handler = void (*)(const CopyDataMessage &data, void *context);

    static constexpr quint32 kWmCopyData = 0x004A;

    CopyDataFilter(Handler handler, void *context);

    static bool isAvailable();

    void setHandler(Handler handler, void *context);

    // The decision for one message: a copy-data message with a handler set is
    // handed over and answered with 1; everything else passes on.
    bool handleMessage(quint32 message, const CopyDataMessage &data, qintptr *result) const;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    Handler m_handler;
    void *m_context;
};
