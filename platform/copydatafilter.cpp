#include "copydatafilter.h"

CopyDataFilter::CopyDataFilter(Handler handler, void *context)
    : m_handler(handler)
    , m_context(context)
{}

void CopyDataFilter::setHandler(Handler handler, void *context)
{
    m_handler = handler;
    m_context = context;
}

bool CopyDataFilter::handleMessage(quint32 message, const CopyDataMessage &data, qintptr *result) const
{
    if (message != kWmCopyData || !m_handler)
        return false;
    m_handler(data, m_context);
    // The sender learns that the message arrived, whatever its tag was.
    if (result)
        *result = 1;
    return true;
}
