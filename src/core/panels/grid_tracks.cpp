#include "core/panels/grid_tracks.h"

#include "core/css/value_words.h"
#include "core/sheet/byte_lines.h"

#include <algorithm>

namespace {

bool isLineNames(const QByteArray &word)
{
    if (!word.startsWith('[') || !word.endsWith(']'))
        return false;
    for (const QByteArray &name : word.mid(1, word.size() - 2).simplified().split(' ')) {
        if (name.isEmpty())
            continue;
        const char c = name[0];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '-' || uchar(c) >= 0x80))
            return false;
        const QByteArray upper = latinUpper(name);
        if (upper == "SPAN" || upper == "AUTO" || isCssWideKeyword(name) || upper == "DEFAULT")
            return false;
    }
    return true;
}

bool isVariable(const QByteArray &word)
{
    return latinUpper(word).contains("VAR(");
}

// A number of 0 or more with one of the units, the unit in capitals.
bool isNumberWith(const QByteArray &upper, const QList<QByteArray> &units)
{
    qsizetype end = 0;
    if (end < upper.size() && upper[end] == '+')
        ++end;
    const qsizetype digits = end;
    bool point = false;
    while (end < upper.size() && ((upper[end] >= '0' && upper[end] <= '9') || (upper[end] == '.' && !point))) {
        point = point || upper[end] == '.';
        ++end;
    }
    if (end == digits || upper.mid(digits, end - digits) == ".")
        return false;
    return units.contains(upper.mid(end));
}

bool isLengthPercentage(const QByteArray &upper)
{
    static const QList<QByteArray> units = {"PX", "EM", "REM", "EX", "CH", "%", "VW", "VH", "VMIN", "VMAX", "CM",
                                            "MM", "IN", "PT", "PC", "Q", "LH", "RLH", "DVH", "SVH", "LVH", "DVW",
                                            "SVW", "LVW", "CQW", "CQH", "CQI", "CQB", "CQMIN", "CQMAX", "IC", "CAP"};
    if (upper == "0" || upper == "+0" || isNumberWith(upper, units))
        return true;
    return upper.startsWith("CALC(") || upper.startsWith("MIN(") || upper.startsWith("MAX(")
           || upper.startsWith("CLAMP(");
}

enum class Breadth { None, Fixed, Inflexible, Flexible };

// What a breadth is: fixed (a length), inflexible (also auto and the
// content sizes), or flexible (also fr).
Breadth breadthOf(const QByteArray &word)
{
    const QByteArray upper = latinUpper(word.trimmed());
    if (isLengthPercentage(upper))
        return Breadth::Fixed;
    if (upper == "AUTO" || upper == "MIN-CONTENT" || upper == "MAX-CONTENT")
        return Breadth::Inflexible;
    if (isNumberWith(upper, {"FR"}))
        return Breadth::Flexible;
    return Breadth::None;
}

enum class Track { None, Fixed, Sized, AutoRepeat, FixedRepeat, SizedRepeat };

// A track size: fixed where nothing in it grows with the room or the
// content.
Track sizeOf(const QByteArray &word)
{
    const Breadth alone = breadthOf(word);
    if (alone != Breadth::None)
        return alone == Breadth::Fixed ? Track::Fixed : Track::Sized;
    if (const auto args = functionArguments(word, "MINMAX")) {
        if (args->size() != 2)
            return Track::None;
        const Breadth least = breadthOf((*args)[0]);
        const Breadth most = breadthOf((*args)[1]);
        if (least == Breadth::None || least == Breadth::Flexible || most == Breadth::None)
            return Track::None;
        return least == Breadth::Fixed || most == Breadth::Fixed ? Track::Fixed : Track::Sized;
    }
    if (const auto args = functionArguments(word, "FIT-CONTENT"))
        return args->size() == 1 && breadthOf((*args)[0]) == Breadth::Fixed ? Track::Sized : Track::None;
    return Track::None;
}

// Sizes and line names, never two line names in a row; whether every
// size is fixed. Nothing when it is no such list.
std::optional<bool> sizesOf(const QList<QByteArray> &words)
{
    bool fixed = true;
    bool any = false;
    bool afterNames = false;
    for (const QByteArray &word : words) {
        if (isLineNames(word)) {
            if (afterNames)
                return std::nullopt;
            afterNames = true;
            continue;
        }
        afterNames = false;
        const Track size = sizeOf(word);
        if (size == Track::None)
            return std::nullopt;
        fixed = fixed && size == Track::Fixed;
        any = true;
    }
    return any ? std::optional<bool>(fixed) : std::nullopt;
}

struct Repeat {
    int times = 0; // 0 for auto-fill and auto-fit
    QByteArray count;
    QByteArray tracks;
};

std::optional<Repeat> repeatOf(const QByteArray &word)
{
    const auto args = functionArguments(word, "REPEAT");
    if (!args || args->size() != 2)
        return std::nullopt;
    Repeat r;
    r.count = (*args)[0];
    r.tracks = (*args)[1];
    const QByteArray count = latinUpper(r.count);
    bool ok = false;
    r.times = count.toInt(&ok);
    if (!ok || r.times < 1) {
        if (count != "AUTO-FILL" && count != "AUTO-FIT")
            return std::nullopt;
        r.times = 0;
    }
    return r;
}

Track trackOf(const QByteArray &word)
{
    if (const std::optional<Repeat> r = repeatOf(word)) {
        const std::optional<bool> fixed = sizesOf(valueWords(r->tracks));
        if (!fixed)
            return Track::None;
        if (r->times == 0)
            return *fixed ? Track::AutoRepeat : Track::None;
        return *fixed ? Track::FixedRepeat : Track::SizedRepeat;
    }
    return sizeOf(word);
}

bool isSubgridList(const QList<QByteArray> &words)
{
    for (const QByteArray &word : words) {
        if (isLineNames(word))
            continue;
        const std::optional<Repeat> r = repeatOf(word);
        if (!r || latinUpper(r->count) == "AUTO-FIT")
            return false;
        const QList<QByteArray> names = valueWords(r->tracks);
        if (names.isEmpty() || !std::all_of(names.begin(), names.end(), isLineNames))
            return false;
    }
    return true;
}

// The tracks of a list, line names left out, each with its kind.
QList<std::pair<qsizetype, Track>> tracksOf(const QList<QByteArray> &words)
{
    QList<std::pair<qsizetype, Track>> out;
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (!isLineNames(words[i]))
            out.append({i, trackOf(words[i])});
    }
    return out;
}

// The fixed size an automatic repeat's tracks keep to: its first one's
// smallest.
QByteArray fixedSizeIn(const QByteArray &repeat)
{
    for (const QByteArray &word : valueWords(repeatOf(repeat)->tracks)) {
        if (breadthOf(word) == Breadth::Fixed)
            return word;
        if (const auto args = functionArguments(word, "MINMAX")) {
            for (const QByteArray &part : *args) {
                if (breadthOf(part) == Breadth::Fixed)
                    return part.trimmed();
            }
        }
    }
    return "100px";
}

QByteArray withRepeatTimes(const QByteArray &word, int times)
{
    const std::optional<Repeat> r = repeatOf(word);
    const qsizetype open = word.indexOf('(');
    return word.left(open + 1) + QByteArray::number(times) + ", " + r->tracks.trimmed() + ")";
}

const QString kAutoRepeatAdd = QStringLiteral("Рядом с автоматическим повтором (auto-fill, auto-fit) могут стоять "
                                              "только дорожки фиксированного размера: добавлена %1");
const QString kAutoRepeatRemove = QStringLiteral("Автоматический повтор (auto-fill, auto-fit) кнопкой не убирается: "
                                                 "измените список в поле");

} // namespace

bool isGridTrackList(const QByteArray &value)
{
    const QList<QByteArray> words = valueWords(value.trimmed());
    if (words.isEmpty())
        return false;
    if (std::any_of(words.begin(), words.end(), isVariable))
        return true;
    const QByteArray first = latinUpper(words[0]);
    if (words.size() == 1 && first == "NONE")
        return true;
    if (first == "SUBGRID")
        return isSubgridList(words.mid(1));
    bool afterNames = false;
    for (const QByteArray &word : words) {
        const bool names = isLineNames(word);
        if (names && afterNames)
            return false;
        afterNames = names;
    }
    const QList<std::pair<qsizetype, Track>> tracks = tracksOf(words);
    if (tracks.isEmpty())
        return false;
    int automatic = 0;
    bool onlyFixed = true;
    for (const auto &[at, kind] : tracks) {
        if (kind == Track::None)
            return false;
        automatic += kind == Track::AutoRepeat ? 1 : 0;
        onlyFixed = onlyFixed && (kind == Track::Fixed || kind == Track::FixedRepeat || kind == Track::AutoRepeat);
    }
    return automatic == 0 || (automatic == 1 && onlyFixed);
}

TrackEdit withTrackAdded(const QByteArray &tracks)
{
    const QByteArray trimmed = tracks.trimmed();
    if (trimmed.isEmpty() || latinUpper(trimmed) == "NONE")
        return {QByteArray("1fr"), {}};
    QList<QByteArray> words = valueWords(trimmed);
    const QList<std::pair<qsizetype, Track>> all = tracksOf(words);
    const auto automatic = std::find_if(all.begin(), all.end(), [](const auto &t) { return t.second == Track::AutoRepeat; });
    if (automatic != all.end()) {
        const QByteArray size = fixedSizeIn(words[automatic->first]);
        return {trimmed + ' ' + size, kAutoRepeatAdd.arg(QString::fromUtf8(size))};
    }
    // One more round of a fixed repeat() that ends the list.
    if (!all.isEmpty() && all.last().first == words.size() - 1
        && (all.last().second == Track::FixedRepeat || all.last().second == Track::SizedRepeat)) {
        QByteArray &last = words.last();
        last = withRepeatTimes(last, repeatOf(last)->times + 1);
        return {words.join(' '), {}};
    }
    return {trimmed + " 1fr", {}};
}

TrackEdit withLastTrackRemoved(const QByteArray &tracks)
{
    QList<QByteArray> words = valueWords(tracks.trimmed());
    if (!words.isEmpty() && latinUpper(words[0]) == "SUBGRID") {
        // Line names after subgrid: the last set goes.
        if (words.size() > 1)
            words.removeLast();
        return {words.join(' '), {}};
    }
    // Line names after the last track go with it.
    qsizetype last = words.size() - 1;
    while (last >= 0 && isLineNames(words[last]))
        --last;
    if (last < 0)
        return {QByteArray(), {}};
    if (const std::optional<Repeat> r = repeatOf(words[last])) {
        if (r->times == 0)
            return {std::nullopt, kAutoRepeatRemove};
        if (r->times > 1) {
            words[last] = withRepeatTimes(words[last], r->times - 1);
            words.resize(last + 1);
            return {words.join(' '), {}};
        }
    }
    words.resize(last);
    while (!words.isEmpty() && isLineNames(words.last()))
        words.removeLast();
    return {words.join(' '), {}};
}
