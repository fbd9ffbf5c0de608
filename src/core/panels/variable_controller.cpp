#include "core/panels/variable_controller.h"

#include "core/css/css_color.h"
#include "core/panels/css_variables.h"
#include "core/panels/declaration_list.h"
#include "core/panels/sheet_variables.h"
#include "core/panels/style_commit.h"
#include "core/sheet/sheet_store.h"

#include <QSet>

#include <cctype>

namespace {

const QString kBadName = QStringLiteral("Имя переменной должно начинаться с «--» и не может содержать пробелов, "
                                        "«:», «;», «{» и «}».");
const QString kTaken = QStringLiteral("Переменная %1 в этом правиле уже есть.");

// Every var() name in a value, in order.
void usedNames(const QByteArray &value, QList<QByteArray> &out)
{
    const QByteArray upper = latinUpper(value);
    for (qsizetype at = upper.indexOf("VAR("); at >= 0; at = upper.indexOf("VAR(", at + 4)) {
        if (at > 0 && (std::isalnum(static_cast<unsigned char>(upper[at - 1])) || upper[at - 1] == '-'))
            continue;
        qsizetype from = at + 4;
        while (from < value.size() && value[from] == ' ')
            ++from;
        qsizetype end = from;
        while (end < value.size() && value[end] != ',' && value[end] != ')' && value[end] != ' ')
            ++end;
        const QByteArray name = value.mid(from, end - from);
        if (name.startsWith("--") && !out.contains(name))
            out.append(name);
    }
}

// "--" and at least one more character; an escape ("\31 ", "\:") stands
// for a character, its blank included.
bool isName(const QByteArray &name)
{
    if (!name.startsWith("--") || name.size() < 3)
        return false;
    for (qsizetype i = 2; i < name.size(); ++i) {
        const char c = name[i];
        if (c == '\\') {
            if (++i >= name.size())
                return false;
            if (std::isxdigit(static_cast<unsigned char>(name[i]))) {
                int digits = 1;
                while (i + 1 < name.size() && digits < 6 && std::isxdigit(static_cast<unsigned char>(name[i + 1]))) {
                    ++i;
                    ++digits;
                }
                if (i + 1 < name.size() && name[i + 1] == ' ')
                    ++i;
            }
            continue;
        }
        if (static_cast<unsigned char>(c) <= ' ' || c == ':' || c == ';' || c == '{' || c == '}' || c == '('
            || c == ')' || c == '"' || c == '\'' || c == ',')
            return false;
    }
    return true;
}

// The line of the rule that gives the variable, or -1.
qsizetype lineOf(const ByteLines &lines, const QByteArray &name)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Declaration d = declarationOf(lines[i]);
        if (d.name == name)
            return i;
    }
    return -1;
}

} // namespace

QList<VariableRow> ruleVariables(const ByteLines &declarations, SheetVariables &sheet, const SheetStore &store)
{
    const QList<Declaration> all = declarationsOf(joinLines(declarations, "\n"));
    // The value that wins: the last given, an !important one before it.
    QHash<QByteArray, QByteArray> own;
    QSet<QByteArray> important;
    QList<QByteArray> used;
    for (const Declaration &d : all) {
        if (d.isCustom() && (d.important || !important.contains(d.name)))
            own.insert(d.name, d.value);
        if (d.isCustom() && d.important)
            important.insert(d.name);
        usedNames(d.value, used);
    }
    const VariableLookup lookup = [&own, &sheet](const QByteArray &name) -> std::optional<QByteArray> {
        if (const auto it = own.constFind(name); it != own.constEnd())
            return *it;
        return sheet.value(name);
    };
    auto resolve = [&lookup](VariableRow &row) {
        bool loop = false;
        const std::optional<QByteArray> plain = substituteVariables("var(" + row.name + ")", lookup, &loop);
        if (loop)
            row.state = VariableRow::State::Loop;
        else if (plain)
            row.color = CssToColor(latinUpper(*plain));
    };

    QList<VariableRow> rows;
    QSet<QByteArray> listed;
    for (const Declaration &d : all) {
        if (!d.isCustom() || listed.contains(d.name))
            continue;
        listed.insert(d.name);
        VariableRow row;
        row.name = d.name;
        row.value = own.value(d.name);
        row.own = true;
        // Other rules that give it too (a component's variants).
        if (const std::optional<SheetVariables::Definition> found = sheet.definition(d.name)) {
            for (const int at : found->allRows) {
                if (at == store.currentStyleIndex())
                    continue;
                if (row.definedAt < 0) {
                    row.definedAt = at;
                    row.definedIn = store.list().items().value(at);
                }
                row.givenIn.append(store.list().items().value(at));
            }
            row.rules = int(row.givenIn.size());
        }
        resolve(row);
        rows.append(row);
    }
    for (const QByteArray &name : used) {
        if (listed.contains(name))
            continue;
        VariableRow row;
        row.name = name;
        if (const std::optional<SheetVariables::Definition> found = sheet.definition(name)) {
            row.value = found->value;
            row.definedAt = found->row;
            row.definedIn = store.list().items().value(found->row);
            row.rules = found->rules;
            for (const int at : found->allRows)
                row.givenIn.append(store.list().items().value(at));
            resolve(row);
        } else {
            row.state = VariableRow::State::Unknown;
        }
        rows.append(row);
    }
    return rows;
}

VariableController::VariableController(SheetStore &store, SheetVariables &sheet, StyleCommit &commit)
    : m_store(store)
    , m_sheet(sheet)
    , m_commit(commit)
{
}

void VariableController::reload()
{
    m_rows = m_store.currentStyleIndex() < 0 ? QList<VariableRow>()
                                             : ruleVariables(m_store.memo().lines(), m_sheet, m_store);
    emit rowsChanged();
}

void VariableController::commit(const ByteLines &lines)
{
    m_store.memo().setLines(lines);
    m_store.setSheetModified(true);
    m_commit.CommitStyleChange(true);
}

QString VariableController::valueEdited(const QByteArray &name, const QByteArray &typed)
{
    const QByteArray value = typed.trimmed();
    if (!isWholeValue(value))
        return badValueMessage();
    // The declaration that wins is edited, its value alone: the name as
    // written, comments and blanks around it stay.
    QByteArray text = joinLines(m_store.memo().lines(), "\n");
    const std::optional<ValuePlace> place = winningValue(text, name);
    if (!place || text.mid(place->from, place->to - place->from) == value)
        return QString();
    text.replace(place->from, place->to - place->from, value);
    commit(text.split('\n'));
    return QString();
}

QString VariableController::colorPicked(const QByteArray &name, Rgb color)
{
    return valueEdited(name, hexOf(color));
}

QString VariableController::nameError(const QByteArray &typedName) const
{
    const QByteArray name = typedName.trimmed();
    if (!isName(name))
        return kBadName;
    if (lineOf(m_store.memo().lines(), name) >= 0)
        return kTaken.arg(m_store.codec().decode(name));
    return QString();
}

QString VariableController::added(const QByteArray &typedName, const QByteArray &typedValue)
{
    const QByteArray name = typedName.trimmed();
    const QByteArray value = typedValue.trimmed();
    if (const QString error = nameError(name); !error.isEmpty())
        return error;
    if (!isWholeValue(value))
        return badValueMessage();
    ByteLines lines = m_store.memo().lines();
    // Before the empty line that ends a reading's declarations.
    qsizetype at = lines.size();
    while (at > 0 && lines[at - 1].trimmed().isEmpty())
        --at;
    lines.insert(at, "  " + name + ": " + value + ";");
    commit(lines);
    return QString();
}

QString VariableController::removed(const QByteArray &name)
{
    ByteLines lines = m_store.memo().lines();
    const qsizetype at = lineOf(lines, name);
    if (at < 0)
        return QString();
    lines.removeAt(at);
    commit(lines);
    return QString();
}

void VariableController::definitionClicked(int row)
{
    if (row < 0 || row >= m_rows.size() || m_rows[row].definedAt < 0 || !selectRule)
        return;
    selectRule(m_rows[row].definedAt);
}
