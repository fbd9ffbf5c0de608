#include "core/panels/prop_table.h"

#include "core/css/css_catalogue.h"
#include "core/css/css_tokenizer.h"
#include "core/panels/declaration_list.h"
#include "core/panels/effect_parts.h"
#include "core/panels/style_commit.h"
#include "core/preview/browser_host.h"
#include "core/preview/sheet_lowering.h"
#include "core/sheet/sheet_store.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cctype>
#include <cmath>

namespace {

const QString kBadName = QStringLiteral("Имя свойства состоит из латинских букв, цифр и «-»; имя переменной "
                                        "начинается с «--». Пробелы, «:», «;», «{» и «}» в имени недопустимы.");
const QString kEmptyValue = QStringLiteral("Пустое значение не записывается: чтобы убрать объявление, "
                                           "удалите его или выключите.");
const QString kCommentEnd = QStringLiteral("Выключенное объявление хранится в комментарии: «*/» в нём "
                                           "закончило бы комментарий раньше времени.");

// A changed rule's body as its in-place text has it: after the "{" that
// follows the selector, without the "}" of a rule that has one.
std::optional<QByteArray> bodyOfRuleText(const ByteLines &rule, SheetPos selectorAt, bool closed)
{
    const QByteArray text = rule.join('\n');
    qsizetype at = 0;
    for (int k = 0; k < selectorAt.line; ++k)
        at = text.indexOf('\n', at) + 1;
    at += selectorAt.column;
    const qsizetype open = cssFindToken(text, at, CssToken::OpenCurly);
    if (open < 0)
        return std::nullopt;
    at = open;
    const qsizetype end = closed && text.endsWith('}') ? text.size() - 1 : text.size();
    return text.mid(at + 1, end - at - 1);
}

// A declaration's value as the preview's engine gets it.
QByteArray loweredValue(const QByteArray &name, const QByteArray &value)
{
    const QList<Declaration> declarations = declarationsOf(lowerDeclarations(name + ":" + value));
    return declarations.size() == 1 ? declarations.first().value : value;
}

} // namespace

PropTable::PropTable(SheetStore &store, StyleCommit &commit)
    : m_store(store)
    , m_commit(commit)
{
}

QByteArray PropTable::writtenBody() const
{
    const int i = m_store.currentStyleIndex();
    if (i < 0 || i >= m_store.styleCount())
        return QByteArray();
    const StyleTable &table = m_store.table();
    if (m_store.keepsUntouchedLayout()) {
        const AsRead &read = table.asRead[i];
        if (table.untouched(i) && !read.raw.isEmpty())
            return read.body.join('\n');
        if (read.inPlaceKnown && read.inPlace && read.inPlaceName == table.name(i) && read.inPlaceBody == table.body(i)) {
            if (const std::optional<QByteArray> body = bodyOfRuleText(*read.inPlace, read.selectorAt, table.opens[i] < 0))
                return *body;
        }
    }
    return m_store.memo().lines().join('\n');
}

const QList<PropRow> &PropTable::rows() const
{
    if (m_stale) {
        m_rows = propRows(writtenBody());
        m_stale = false;
    }
    return m_rows;
}

void PropTable::invalidate()
{
    m_stale = true;
    m_rejected.clear();
    ++m_asked;
    emit rowsChanged();
}

void PropTable::judge()
{
    const int ticket = ++m_asked;
    rows();
    m_rejected = QList<bool>(m_rows.size(), false);
    if (!m_browser)
        return;
    QJsonArray asked;
    QList<int> at;
    const SheetCodec &codec = m_store.codec();
    for (int k = 0; k < m_rows.size(); ++k) {
        if (!m_rows[k].on || m_rows[k].name.startsWith("--"))
            continue;
        asked.append(QJsonArray{codec.decode(m_rows[k].name), codec.decode(loweredValue(m_rows[k].name, m_rows[k].value))});
        at.append(k);
    }
    if (at.isEmpty())
        return;
    const QString script = QStringLiteral("(function(){var d=%1;return d.map(function(p){"
                                          "return !window.CSS || CSS.supports(p[0], p[1]);});})()")
                               .arg(QString::fromUtf8(QJsonDocument(asked).toJson(QJsonDocument::Compact)));
    m_browser->runPageScript(script, [this, ticket, at](const QVariant &answer) {
        const QVariantList supported = answer.toList();
        if (ticket != m_asked || supported.size() != at.size())
            return;
        for (int k = 0; k < at.size(); ++k)
            m_rejected[at[k]] = !supported[k].toBool();
        emit judged();
    });
}

QString PropTable::editRow(int row, const std::function<QByteArray(const QByteArray &body, const PropRow &now)> &change)
{
    if (row < 0 || row >= rows().size())
        return QString();
    // The same declaration in the body as the sheet has it now: the same
    // place in the order, else the same occurrence of its property.
    const PropRow target = m_rows[row];
    int occurrence = 0;
    for (int k = 0; k < row; ++k)
        occurrence += m_rows[k].key() == target.key() && m_rows[k].on == target.on ? 1 : 0;
    return edit([&](const QByteArray &body) {
        const QList<PropRow> now = propRows(body);
        if (row < now.size() && now[row].key() == target.key() && now[row].on == target.on)
            return change(body, now[row]);
        for (const PropRow &candidate : now) {
            if (candidate.key() == target.key() && candidate.on == target.on && occurrence-- == 0)
                return change(body, candidate);
        }
        return body;
    });
}

QString PropTable::edit(const std::function<QByteArray(const QByteArray &body)> &change)
{
    const int rule = m_store.currentStyleIndex();
    if (rule < 0)
        return QString();
    // The rule is changed where the sheet has it written: the text read
    // again as it stands gives the body's place in it.
    m_store.RegenerateSheet();
    m_store.RebuildStyleTable();
    m_store.selectAfterRebuild(rule);
    if (rule >= m_store.styleCount())
        return QString();
    const auto [open, close] = m_store.table().bodySpans[rule];
    const ByteLines &lines = m_store.sheetLines();
    QByteArray body;
    for (int line = open.line; line <= close.line; ++line) {
        const int from = line == open.line ? open.column + 1 : 0;
        const int to = line == close.line ? close.column : int(lines[line].size());
        if (line > open.line)
            body += '\n';
        body += lines[line].mid(from, to - from);
    }
    const QByteArray changed = change(body);
    if (changed == body)
        return QString();
    ByteLines out = lines.mid(0, open.line);
    out += (lines[open.line].left(open.column + 1) + changed + lines[close.line].mid(close.column)).split('\n');
    out += lines.mid(close.line + 1);
    m_store.setSheetLines(out);
    m_store.RebuildStyleTable();
    m_store.selectAfterRebuild(rule);
    m_store.setSheetModified(true);
    m_commit.CommitStyleChange(true, false);
    invalidate();
    return QString();
}

QString PropTable::switched(int row, bool on)
{
    if (row < 0 || row >= rows().size() || m_rows[row].on == on)
        return QString();
    if (!on && m_rows[row].lock != PropRow::Lock::None)
        return lockReason(m_rows[row].lock);
    return editRow(row, [on](const QByteArray &body, const PropRow &now) {
        return on ? propEdit::switchedOn(body, now) : propEdit::switchedOff(body, now);
    });
}

QString PropTable::valueEdited(int row, const QByteArray &typed)
{
    if (row < 0 || row >= rows().size())
        return QString();
    const QByteArray value = typed.trimmed();
    if (value.isEmpty())
        return kEmptyValue;
    if (!isWholeValue(value))
        return badValueMessage();
    if (!m_rows[row].on && value.contains("*/"))
        return kCommentEnd;
    if (value == editText(row))
        return QString();
    return editRow(row, [&value](const QByteArray &body, const PropRow &now) {
        return propEdit::valueSet(body, now, value);
    });
}

QString PropTable::nameEdited(int row, const QByteArray &typed)
{
    if (row < 0 || row >= rows().size())
        return QString();
    const QByteArray name = typed.trimmed();
    if (!isPropertyName(name))
        return kBadName;
    if (name == m_rows[row].name)
        return QString();
    return editRow(row, [&name](const QByteArray &body, const PropRow &now) {
        return propEdit::nameSet(body, now, name);
    });
}

QString PropTable::added(int afterRow, const QByteArray &typedName, const QByteArray &typedValue)
{
    const QByteArray name = typedName.trimmed();
    const QByteArray value = typedValue.trimmed();
    if (!isPropertyName(name))
        return kBadName;
    if (value.isEmpty())
        return kEmptyValue;
    if (!isWholeValue(value))
        return badValueMessage();
    if (afterRow < 0 || afterRow >= rows().size())
        return edit([&](const QByteArray &body) { return propEdit::inserted(body, std::nullopt, name, value); });
    return editRow(afterRow, [&](const QByteArray &body, const PropRow &now) {
        return propEdit::inserted(body, now, name, value);
    });
}

QString PropTable::removed(int row)
{
    return editRow(row, [](const QByteArray &body, const PropRow &now) { return propEdit::removed(body, now); });
}

QString PropTable::colorPicked(int row, Rgb color)
{
    if (row < 0 || row >= rows().size())
        return QString();
    // The picker gives no alpha: the value's own stays.
    if (const std::optional<Rgb> now = colorOf(row); now && color.a == 255)
        color.a = now->a;
    const QByteArray text = shadowColorText(color, int(std::lround(color.a * 100.0 / 255)));
    return valueEdited(row, m_rows[row].important ? text + " !important" : text);
}

QByteArray PropTable::editText(int row) const
{
    if (row < 0 || row >= rows().size())
        return QByteArray();
    return m_rows[row].important ? m_rows[row].value + " !important" : m_rows[row].value;
}

std::optional<Rgb> PropTable::colorOf(int row) const
{
    if (row < 0 || row >= rows().size() || m_rows[row].value.isEmpty())
        return std::nullopt;
    return CssToColor(latinUpper(m_rows[row].value));
}

QString PropTable::lockReason(PropRow::Lock lock)
{
    switch (lock) {
    case PropRow::Lock::HoldsComment:
        return QStringLiteral("В объявлении есть комментарий: комментарии не вкладываются, "
                              "поэтому выключить его нельзя.");
    case PropRow::Lock::HoldsCommentEnd:
        return QStringLiteral("В объявлении есть «*/»: в комментарии оно закончило бы комментарий, "
                              "поэтому выключить его нельзя.");
    case PropRow::Lock::UnknownName:
        return QStringLiteral("Неизвестное свойство: выключенное, оно читалось бы как обычный комментарий.");
    case PropRow::Lock::None:
        break;
    }
    return QString();
}

QString PropTable::nameWarning(const QByteArray &name)
{
    if (name.isEmpty() || isKnownPropertyName(name))
        return QString();
    QString text = QStringLiteral("«%1» — неизвестное свойство").arg(QString::fromLatin1(name));
    const QList<QByteArray> nearest = cssCatalogue::nearestNames(name);
    if (!nearest.isEmpty()) {
        QStringList names;
        for (const QByteArray &known : nearest)
            names.append(QString::fromLatin1(known));
        text += QStringLiteral(". Возможно: %1").arg(names.join(QStringLiteral(", ")));
    }
    return text;
}

QByteArray PropTable::placeholder(const QByteArray &name)
{
    const CssPropertyEntry *entry = cssCatalogue::property(name);
    return entry ? QByteArray(entry->initial) : QByteArray();
}

std::optional<QByteArray> steppedNumber(const QByteArray &text, int *caret, bool up)
{
    // A number, a percentage or a dimension that the caret stands in or
    // just after; strings, addresses, hex colours, ranges and the digits
    // of names are other tokens.
    const QList<CssToken> tokens = cssTokens(text);
    const CssToken *chosen = nullptr;
    for (const CssToken &t : tokens) {
        const bool numeric = t.type == CssToken::Number || t.type == CssToken::Percentage || t.type == CssToken::Dimension;
        if (numeric && caret && *caret >= t.from && *caret <= t.to) {
            chosen = &t;
            break;
        }
    }
    if (!chosen)
        return std::nullopt;
    const QByteArray written = text.mid(chosen->from, chosen->numberEnd - chosen->from);
    const double number = chosen->value;
    const qsizetype point = written.indexOf('.');
    const bool exponent = written.contains('e') || written.contains('E');
    const int decimals = point < 0 || exponent ? 0 : std::max<int>(1, int(written.size() - point - 1));
    const double step = decimals == 0 ? 1.0 : 0.1;
    double next = number + (up ? step : -step);
    if (std::abs(next) < 1e-9)
        next = 0;
    QByteArray replaced = decimals == 0 && std::abs(next) < 9e15 ? QByteArray::number(qint64(std::llround(next)))
                                                                 : QByteArray::number(next, 'f', std::max(decimals, 0));
    if (written.startsWith('+') && next > 0)
        replaced.prepend('+');
    // The caret keeps its place: at the number's end or in its unit it
    // moves with the end, inside the number it stays.
    if (caret) {
        const qsizetype before = chosen->numberEnd - chosen->from;
        const qsizetype offset = *caret - chosen->from;
        *caret = int(offset >= before ? *caret + replaced.size() - before
                                      : chosen->from + std::min<qsizetype>(offset, replaced.size()));
    }
    return text.left(chosen->from) + replaced + text.mid(chosen->numberEnd);
}
