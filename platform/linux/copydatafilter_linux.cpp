#include "copydatafilter.h"

// Copy-data messages exist only on Windows.
bool CopyDataFilter::isAvailable()
{
    return false;
}

bool CopyDataFilter::nativeEventFilter(const QByteArray &, void *, qintptr *)
{
    return false;
}
