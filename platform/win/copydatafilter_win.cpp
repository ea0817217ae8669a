#include "copydatafilter.h"

#include <QByteArray>

#include <windows.h>

bool CopyDataFilter::isAvailable()
{
    return true;
}

bool CopyDataFilter::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result)
{
    // WM_COPYDATA is sent, never posted: it reaches a window procedure.
    if (eventType != "windows_generic_MSG" || !message)
        return false;
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg->message != WM_COPYDATA || msg->lParam == 0)
        return false;
    const auto *copy = reinterpret_cast<const COPYDATASTRUCT *>(msg->lParam);
    CopyDataMessage data;
    data.tag = static_cast<quintptr>(copy->dwData);
    data.size = static_cast<quint32>(copy->cbData);
    data.data = copy->lpData;
    return handleMessage(WM_COPYDATA, data, result);
}
