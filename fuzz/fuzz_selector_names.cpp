// The selector constructor's names from any list of selectors: each name
// once, made of ASCII letters and digits only.
#include "core/stylelist/selector_builder.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SelectorBuilder builder;
    builder.FormShow(QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size)));
    for (const QStringList *names : {&builder.ids.items, &builder.classes.items}) {
        if (QSet<QString>(names->begin(), names->end()).size() != names->size())
            std::abort();
        for (const QString &name : *names) {
            for (const QChar c : name) {
                if (!(c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                      || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
                    std::abort();
            }
        }
    }
    return 0;
}
