#include "core/panels/declaration_writer.h"

#include "core/css/css_tokenizer.h"
#include "core/panels/css_overlap.h"
#include "core/panels/declaration_list.h"
#include "core/panels/panel_declarations.h"
#include "core/panels/panel_state.h"
#include "core/panels/prop_rows.h"
#include "core/panels/shorthand_parts.h"
#include "core/sheet/rule_memo.h"
#include "core/sheet/unsupported_comment.h"

#include <QMap>
#include <QSet>

#include <algorithm>

namespace {

struct KeptLine {
    QByteArray text;
    Declaration declaration;
};

QByteArray piece(const QByteArray &name, const QByteArray &value, bool important)
{
    return " " + name + ": " + value + (important ? " !important;" : ";");
}

// The comments of a kept line, each as written, joined by a blank.
QByteArray commentsOf(const QByteArray &line)
{
    QByteArrayList out;
    for (const CssToken &t : cssTokens(line)) {
        if (t.type == CssToken::Comment)
            out.append(t.text(line).toByteArray());
    }
    return out.join(' ');
}

// Whether a kept line holds a declaration of the property switched off in
// a comment: the property written anew goes after it, as it stood.
bool switchesOff(const KeptLine &line, const QByteArray &key)
{
    if (!line.text.contains("/*"))
        return false;
    for (const CssToken &t : cssTokens(line.text)) {
        if (t.type != CssToken::Comment)
            continue;
        const std::optional<QByteArray> name = switchedOffProperty(t.text(line.text).toByteArray());
        if (name && cssPropertiesOverlap(*name, key))
            return true;
    }
    return false;
}

// The kept lines after the user changed `key`: the lines that set it
// themselves go, their priority passed on, their comments kept; taken out,
// a plain shorthand leaves what else it gives (see withoutLonghand).
bool settleKeptLines(QList<KeptLine> &kept, const QByteArray &key, bool removing, bool *important,
                     bool *behindComment = nullptr)
{
    bool settled = false;
    for (qsizetype i = 0; i < kept.size();) {
        const Declaration d = kept[i].declaration;
        // All corners set at once take the corners' own declarations with
        // them; a logical corner is a property of its own, and the new value
        // goes after it.
        const bool corner = key == "BORDER-RADIUS" && !removing
                            && (d.name == "BORDER-TOP-LEFT-RADIUS" || d.name == "BORDER-TOP-RIGHT-RADIUS"
                                || d.name == "BORDER-BOTTOM-RIGHT-RADIUS" || d.name == "BORDER-BOTTOM-LEFT-RADIUS");
        if (d.name == key || corner) {
            *important = *important || d.important;
            // A comment on the line (a declaration switched off, a note)
            // stays where the line stood.
            const QByteArray comments = commentsOf(kept[i].text);
            if (comments.isEmpty()) {
                kept.removeAt(i);
            } else {
                // The declaration stood after one of its own switched off:
                // written anew, it still does.
                if (behindComment && switchesOff(kept[i], key))
                    *behindComment = true;
                kept[i] = {comments, declarationOf(comments)};
                ++i;
            }
            settled = true;
            continue;
        }
        if (removing && !d.name.isEmpty() && cssPropertiesOverlap(d.name, key)) {
            QByteArray name = kept[i].text.trimmed();
            name = name.left(name.indexOf(':')).trimmed();
            if (const auto others = withoutLonghand(name, d.value, key)) {
                kept.removeAt(i);
                const bool sideImportant = d.important;
                for (QByteArray side : *others) {
                    if (sideImportant)
                        side.insert(side.size() - 1, " !important");
                    kept.insert(i++, {side, declarationOf(side)});
                }
                settled = true;
                continue;
            }
        }
        ++i;
    }
    return settled;
}

// Whether a kept declaration still sets the property, and whether one that
// does is important.
bool keptSets(const QList<KeptLine> &kept, const QByteArray &key, bool *important)
{
    bool sets = false;
    for (const KeptLine &line : kept) {
        if (!line.declaration.name.isEmpty() && !line.declaration.isCustom()
            && cssPropertiesOverlap(line.declaration.name, key)) {
            sets = true;
            *important = *important || line.declaration.important;
        }
    }
    return sets;
}

} // namespace

bool PanelsToDeclarations(PanelState &p, RuleMemo &memo)
{
    for (const QByteArray &line : memo.lines()) {
        if (line.contains("LINK_HTML="))
            return false;
    }
    p.applyButtonVisible = false;

    QList<KeptLine> kept;
    for (const QByteArray &line : memo.lines()) {
        if (!line.isEmpty() && !line.startsWith(';'))
            kept.append({line, declarationOf(line)});
    }

    const QList<PanelDeclaration> now = panelDeclarations(p);
    QSet<QByteArray> written;
    QMap<int, QByteArray> rows;
    ByteLines after;
    for (const PanelDeclaration &d : now) {
        const QByteArray key = d.key();
        written.insert(key);
        const ReadProperty read = p.asRead.value(key);
        if (d.value == read.generated) {
            if (!read.derived)
                rows[d.row] += piece(d.name, read.written.isEmpty() ? d.value : read.written, read.important);
            continue;
        }
        bool important = read.important;
        // Once the declaration it was shown from has gone, a value shown, not
        // taken, is the panels' own: coming back to it (a word typed letter
        // by letter) writes it.
        bool behindComment = false;
        if (settleKeptLines(kept, key, false, &important, &behindComment) && read.derived)
            p.asRead[key].derived = false;
        if (keptSets(kept, key, &important) || behindComment)
            after.append(";" + piece(d.name, d.value, important));
        else
            rows[d.row] += piece(d.name, d.value, important);
    }
    // Properties the user took out of the rule; one shown from a shorthand
    // is then the panels' own, as above.
    for (auto it = p.asRead.begin(); it != p.asRead.end(); ++it) {
        if (!written.contains(it.key()) && !it->generated.isEmpty()) {
            bool important = false;
            settleKeptLines(kept, it.key(), true, &important);
            it->derived = false;
        }
    }

    ByteLines out;
    for (const QByteArray &row : std::as_const(rows))
        out.append(";" + row);
    // With every declaration gone, the comment over them goes too.
    const bool onlyComment = std::all_of(kept.cbegin(), kept.cend(), [](const KeptLine &line) {
        return isUnsupportedCommentLine(line.text.trimmed());
    });
    if (onlyComment)
        kept.clear();
    for (const KeptLine &line : std::as_const(kept))
        out.append(line.text.startsWith("  ") ? line.text : "  " + line.text);
    out.append(after);
    // A reading ends declarations that close with ";" with an empty line;
    // so do the panels, and the sheet reads back as it was written.
    if (!kept.isEmpty() && kept.last().text.trimmed().endsWith(';'))
        out.append(QByteArray());
    memo.setLines(out);
    return true;
}
