// The selector constructor's names from any list of selectors: each name
// once, and each a run of CSS name characters (letters and digits of any
// alphabet, "-", "_") and escapes, as it stood in the selector.
#include "core/stylelist/selector_builder.h"

#include <QRegularExpression>
#include <QSet>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QRegularExpression name(
        QStringLiteral(R"(\A(?:[A-Za-z0-9_\-]|[^\x00-\x7F]|\\[0-9A-Fa-f]{1,6} ?|\\[^\n0-9A-Fa-f])+\z)"));
    SelectorBuilder builder;
    builder.FormShow(QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size)));
    for (const QStringList *names : {&builder.ids.items, &builder.classes.items}) {
        if (QSet<QString>(names->begin(), names->end()).size() != names->size())
            std::abort();
        for (const QString &one : *names) {
            if (!name.match(one).hasMatch())
                std::abort();
        }
    }
    return 0;
}
