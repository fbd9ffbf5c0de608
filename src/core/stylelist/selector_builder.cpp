#include "core/stylelist/selector_builder.h"

#include <cctype>

namespace {

// The text up to, not including, the first of the given characters.
QString upToFirst(const QString &text, const QString &stops)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (stops.contains(text.at(i)))
            return text.left(i);
    }
    return text;
}

// A character of a CSS name: letters and digits in any alphabet, "-" and
// "_".
bool isNameCharacter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
           || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('_')
           || c.unicode() >= 0x80;
}

// The CSS name that starts at a place, escapes included as written
// ("\31 0", "\."); empty where none starts.
QString nameAt(const QString &text, qsizetype at)
{
    qsizetype i = at;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (isNameCharacter(c)) {
            ++i;
        } else if (c == QLatin1Char('\\') && i + 1 < text.size() && text.at(i + 1) != QLatin1Char('\n')) {
            ++i;
            qsizetype hex = 0;
            while (hex < 6 && i < text.size() && isxdigit(text.at(i).unicode() < 0x80 ? text.at(i).toLatin1() : 'g')) {
                ++i;
                ++hex;
            }
            if (hex == 0)
                ++i;
            else if (i < text.size() && text.at(i) == QLatin1Char(' '))
                ++i;
        } else {
            break;
        }
    }
    return text.mid(at, i - at);
}

} // namespace

const QStringList &SelectorBuilder::pseudoElements()
{
    static const QStringList items = {QStringLiteral("[none]"), QStringLiteral(":first-letter"),
                                      QStringLiteral(":first-line"), QStringLiteral(":before"),
                                      QStringLiteral(":after")};
    return items;
}

const QStringList &SelectorBuilder::pseudoClasses()
{
    static const QStringList items = {QStringLiteral("[none]"), QStringLiteral(":active"), QStringLiteral(":focus"),
                                      QStringLiteral(":hover"),  QStringLiteral(":link"),   QStringLiteral(":visited")};
    return items;
}

void SelectorBuilder::FormShow(const QString &existingSelectorList)
{
    ids.items.clear();
    classes.items.clear();
    // A name is the CSS identifier after "#" or ".".
    for (qsizetype i = 0; i < existingSelectorList.size(); ++i) {
        const QChar c = existingSelectorList.at(i);
        if (c != QLatin1Char('#') && c != QLatin1Char('.'))
            continue;
        NameBox &box = c == QLatin1Char('#') ? ids : classes;
        box.text = nameAt(existingSelectorList, i + 1);
        comboExit(box);
        i += box.text.size();
    }
    createdSelector.clear();
    currentSelector.clear();
    itog.clear();
    selectedLine = -1;
    pseudoElement = 0;
    pseudoClass = 0;
    ids.text.clear();
    classes.text.clear();
}

void SelectorBuilder::tagClicked(const QString &item)
{
    const bool none = item == QLatin1String("[none]");
    pseudoClassEnabled = item == QLatin1String("A");
    currentSelector = none ? QString() : item;
    ids.text.clear();
    classes.text.clear();
    pseudoElement = 0;
    pseudoClass = 0;
}

void SelectorBuilder::nameChanged(NameBox &box, NameBox &other, QChar mark)
{
    const QString base = upToFirst(currentSelector, QStringLiteral(":.#"));
    if (!box.text.isEmpty()) {
        currentSelector = base + mark + box.text;
        other.text.clear();
    } else {
        currentSelector = base;
    }
    if (pseudoElement > 0)
        pseudoElementClicked(pseudoElement);
    else if (pseudoClass > 0 && pseudoClassEnabled)
        pseudoClassClicked(pseudoClass);
}

void SelectorBuilder::idChanged(const QString &text)
{
    ids.text = text;
    nameChanged(ids, classes, QLatin1Char('#'));
}

void SelectorBuilder::classChanged(const QString &text)
{
    classes.text = text;
    nameChanged(classes, ids, QLatin1Char('.'));
}

void SelectorBuilder::comboExit(NameBox &box)
{
    if (!box.text.isEmpty() && !box.items.contains(box.text))
        box.items.prepend(box.text);
}

void SelectorBuilder::pseudoElementClicked(int index)
{
    const QString base = upToFirst(currentSelector, QStringLiteral(":"));
    pseudoElement = index;
    pseudoClass = 0;
    currentSelector = index > 0 && !base.isEmpty() ? base + pseudoElements().value(index) : base;
}

void SelectorBuilder::pseudoClassClicked(int index)
{
    const QString base = upToFirst(currentSelector, QStringLiteral(":"));
    pseudoClass = index;
    pseudoElement = 0;
    currentSelector = index > 0 && !base.isEmpty() ? base + pseudoClasses().value(index) : base;
}

void SelectorBuilder::AddElementClick()
{
    if (currentSelector.isEmpty())
        return;
    itog.append(currentSelector);
    selectedLine = int(itog.size()) - 1;
}

void SelectorBuilder::AddPotomokClick()
{
    if (hasSelectedLine())
        itog[selectedLine] += QLatin1Char(' ') + currentSelector;
}

void SelectorBuilder::AddSosedClick()
{
    if (hasSelectedLine())
        itog[selectedLine] += QLatin1Char('+') + currentSelector;
}

void SelectorBuilder::DelClick()
{
    if (!hasSelectedLine())
        return;
    itog.removeAt(selectedLine);
    if (itog.isEmpty())
        selectedLine = -1;
    else
        selectedLine = qMax(0, selectedLine - 1);
}

void SelectorBuilder::cutLastStep(QChar separator)
{
    if (!hasSelectedLine())
        return;
    QString &line = itog[selectedLine];
    qsizetype at = line.lastIndexOf(separator);
    if (at < 0)
        return;
    // A separator standing last goes together with the character before it.
    if (at == line.size() - 1 && at > 0)
        --at;
    line.truncate(at);
}

void SelectorBuilder::DelPotomokClick()
{
    cutLastStep(QLatin1Char(' '));
}

void SelectorBuilder::DelSosedClick()
{
    cutLastStep(QLatin1Char('+'));
}

void SelectorBuilder::SpeedButton1Click()
{
    if (!hasSelectedLine() || selectedLine == 0)
        return;
    itog.swapItemsAt(selectedLine, selectedLine - 1);
    --selectedLine;
}

void SelectorBuilder::SpeedButton2Click()
{
    if (!hasSelectedLine() || selectedLine == itog.size() - 1)
        return;
    itog.swapItemsAt(selectedLine, selectedLine + 1);
    ++selectedLine;
}

void SelectorBuilder::OkClick()
{
    createdSelector = itog.isEmpty() ? currentSelector : itog.join(QStringLiteral(", "));
}
