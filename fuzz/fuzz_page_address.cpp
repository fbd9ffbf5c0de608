// Any browser address turns into a path without a crash or a sanitizer
// report, and never grows by more than the sheet's folder.
#include "core/preview/page_address.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString address = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = PageAddressToPath(address, QStringLiteral("/nonexistent/site/a.css"));
    if (!address.contains(QLatin1Char('#')) && path.size() > address.size() + 64)
        std::abort();
    return 0;
}
