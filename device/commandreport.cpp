#include "commandreport.h"

namespace CommandReport {

unsigned char checksum(const unsigned char *codeAndParams)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < 7; ++i)
        sum += codeAndParams[i];
    return static_cast<unsigned char>(~sum & 0xFF);
}

} // namespace CommandReport
