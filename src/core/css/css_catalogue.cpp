#include "core/css/css_catalogue.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace cssCatalogue {
namespace {

const CssPropertyEntry *begin() { return kCssProperties; }
const CssPropertyEntry *end() { return kCssProperties + kCssPropertyCount; }

bool before(const CssPropertyEntry &entry, const QByteArray &name)
{
    return std::strcmp(entry.name, name.constData()) < 0;
}

// Edits from one name to another: a letter put in, taken out, changed, or
// two neighbours swapped ("colro").
int distance(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = a.size(), m = b.size();
    std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1));
    for (qsizetype i = 0; i <= n; ++i)
        d[i][0] = int(i);
    for (qsizetype j = 0; j <= m; ++j)
        d[0][j] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        for (qsizetype j = 1; j <= m; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[n][m];
}

} // namespace

const CssPropertyEntry *property(const QByteArray &name)
{
    const QByteArray lower = name.trimmed().toLower();
    const CssPropertyEntry *at = std::lower_bound(begin(), end(), lower, before);
    return at != end() && lower == at->name ? at : nullptr;
}

QList<QByteArray> namesStartingWith(const QByteArray &prefix)
{
    const QByteArray lower = prefix.trimmed().toLower();
    QList<QByteArray> out;
    for (const CssPropertyEntry *at = std::lower_bound(begin(), end(), lower, before);
         at != end() && QByteArray(at->name).startsWith(lower); ++at)
        out.append(at->name);
    return out;
}

QList<QByteArray> nearestNames(const QByteArray &name, int count)
{
    const QByteArray lower = name.trimmed().toLower();
    std::vector<std::pair<int, const char *>> scored;
    for (const CssPropertyEntry *at = begin(); at != end(); ++at)
        scored.push_back({distance(lower, at->name), at->name});
    std::stable_sort(scored.begin(), scored.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<QByteArray> out;
    // Only names a slip of the hand away: no more edits than a third of the name.
    const int most = std::max<int>(1, int(lower.size()) / 3);
    for (const auto &[edits, known] : scored) {
        if (out.size() >= count || edits > most)
            break;
        out.append(known);
    }
    return out;
}

QList<QByteArray> keywordsOf(const QByteArray &name)
{
    const CssPropertyEntry *entry = property(name);
    if (!entry || !*entry->keywords)
        return {};
    return QByteArray(entry->keywords).split(' ');
}

} // namespace cssCatalogue
