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

namespace cssCatalogue {
namespace {

// The entry of a name, a vendor prefix the catalogue lacks taken off.
const CssPropertyEntry *known(QByteArray lower)
{
    if (const CssPropertyEntry *entry = property(lower))
        return entry;
    if (lower.startsWith('-') && !lower.startsWith("--")) {
        const qsizetype second = lower.indexOf('-', 1);
        if (second > 0)
            return property(lower.mid(second + 1));
    }
    return nullptr;
}

// The properties that no shorthand splits further, which a declaration
// of the entry sets in the end.
const std::vector<const CssPropertyEntry *> &leavesOf(const CssPropertyEntry *entry)
{
    static std::vector<std::vector<const CssPropertyEntry *>> leaves(kCssPropertyCount);
    static std::vector<bool> done(kCssPropertyCount, false);
    const size_t at = size_t(entry - kCssProperties);
    if (done[at])
        return leaves[at];
    done[at] = true; // a cycle would end here
    std::vector<const CssPropertyEntry *> out;
    for (const QByteArray &name : QByteArray(entry->sets).split(' ')) {
        const CssPropertyEntry *part = name.isEmpty() ? nullptr : property(name);
        if (!part)
            continue;
        const std::vector<const CssPropertyEntry *> &below = leavesOf(part);
        for (const CssPropertyEntry *leaf : below.empty() ? std::vector<const CssPropertyEntry *>{part} : below) {
            if (std::find(out.begin(), out.end(), leaf) == out.end())
                out.push_back(leaf);
        }
    }
    leaves[at] = std::move(out);
    return leaves[at];
}

std::vector<const CssPropertyEntry *> setBy(const CssPropertyEntry *entry)
{
    const std::vector<const CssPropertyEntry *> &leaves = leavesOf(entry);
    return leaves.empty() ? std::vector<const CssPropertyEntry *>{entry} : leaves;
}

} // namespace

bool setsTheSame(const QByteArray &a, const QByteArray &b)
{
    const QByteArray lowerA = a.trimmed().toLower();
    const QByteArray lowerB = b.trimmed().toLower();
    if (lowerA == lowerB)
        return true;
    if (lowerA.startsWith("--") || lowerB.startsWith("--"))
        return false;
    // `all` sets every property but these two.
    auto all = [](const QByteArray &one, const QByteArray &other) {
        return one == "all" && other != "direction" && other != "unicode-bidi";
    };
    if (all(lowerA, lowerB) || all(lowerB, lowerA))
        return true;
    const CssPropertyEntry *entryA = known(lowerA);
    const CssPropertyEntry *entryB = known(lowerB);
    if (!entryA || !entryB)
        return false;
    if (entryA == entryB)
        return true;
    const std::vector<const CssPropertyEntry *> setA = setBy(entryA);
    const std::vector<const CssPropertyEntry *> setB = setBy(entryB);
    for (const CssPropertyEntry *x : setA) {
        for (const CssPropertyEntry *y : setB) {
            if (x == y || (*x->group && std::strcmp(x->group, y->group) == 0 && x->logical != y->logical))
                return true;
        }
    }
    return false;
}

} // namespace cssCatalogue
