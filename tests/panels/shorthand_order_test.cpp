// Reading a rule into the panels never changes what it means where a
// shorthand and one of the properties it sets meet: for every shorthand the
// preview's engine knows and every longhand it gives, the longhand before
// the shorthand and after it, read and saved in each layout, reads the
// same to the engine.
#include "../support/click_through.h"
#include "../support/page_script.h"

#include "core/css/css_catalogue.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

// The engine's shorthands: for each name it reads as more than itself, the
// longhands it sets, and a value of each as a default element computes it
// (empty where the engine gives none it would take back).
const char *const kShorthands = R"(
(names => {
  const el = document.createElement('div');
  document.body.appendChild(el);
  const cs = getComputedStyle(el);
  const valueOf = name => {
    const v = cs.getPropertyValue(name);
    try { return v && CSS.supports(name, v) ? v : ''; } catch (e) { return ''; }
  };
  const out = [];
  for (const name of names) {
    el.style.cssText = '';
    el.style.setProperty(name, 'inherit');
    const longhands = Array.from(el.style);
    if (longhands.length === 0 || (longhands.length === 1 && longhands[0] === name)) continue;
    out.push([name, valueOf(name), longhands.map(l => [l, valueOf(l)])]);
  }
  el.remove();
  return out;
})
)";

// For each pair of sheets: for each rule, the longhands that read
// differently, or nothing.
const char *const kCompareRules = R"(
(pairs => pairs.map(([before, after]) => {
  const read = text => {
    const sheet = new CSSStyleSheet();
    sheet.replaceSync(text);
    return Array.from(sheet.cssRules).map(rule => {
      const style = rule.style, out = {};
      for (let i = 0; i < style.length; ++i)
        out[style[i]] = style.getPropertyValue(style[i]) + (style.getPropertyPriority(style[i]) ? ' !' : '');
      return out;
    });
  };
  const b = read(before), a = read(after);
  if (b.length !== a.length) return ['rules: ' + b.length + ' became ' + a.length];
  return b.map((rule, i) => {
    const wrong = [];
    for (const name of new Set([...Object.keys(rule), ...Object.keys(a[i])]))
      if (rule[name] !== a[i][name]) wrong.push(name + ': "' + rule[name] + '" became "' + a[i][name] + '"');
    return wrong.join('; ');
  });
}))
)";

TEST(ShorthandOrder, ALonghandBeforeOrAfterItsShorthandKeepsItsPlaceThroughAReading)
{
    QJsonArray names;
    for (int i = 0; i < kCssPropertyCount; ++i)
        names.append(QString::fromLatin1(kCssProperties[i].name));
    const QVariantList shorthands = judgeInBlankPage(kShorthands, names);
    ASSERT_GT(shorthands.size(), 40) << "the engine knows its shorthands";

    // One rule for each order of each pair: the side that must keep its
    // place says "inherit", the other a value the panels may take.
    QByteArray sheet;
    QStringList what;
    for (const QVariant &entry : shorthands) {
        const QVariantList fields = entry.toList();
        const QByteArray shorthand = fields[0].toString().toUtf8();
        const QByteArray shorthandValue = fields[1].toString().isEmpty() ? QByteArray("initial") : fields[1].toString().toUtf8();
        for (const QVariant &part : fields[2].toList()) {
            const QByteArray longhand = part.toList().value(0).toString().toUtf8();
            const QByteArray longhandValue =
                part.toList().value(1).toString().isEmpty() ? QByteArray("initial") : part.toList().value(1).toString().toUtf8();
            const QByteArray bodies[] = {
                longhand + ": inherit; " + shorthand + ": " + shorthandValue + ";",
                shorthand + ": inherit; " + longhand + ": " + longhandValue + ";",
                shorthand + ": " + shorthandValue + "; " + longhand + ": inherit;",
                longhand + ": " + longhandValue + "; " + shorthand + ": inherit;",
            };
            for (const QByteArray &body : bodies) {
                sheet += ".r" + QByteArray::number(what.size()) + " {\n  " + body + "\n}\n";
                what.append(QString::fromUtf8(body));
            }
        }
    }
    QJsonArray pairs;
    for (const bool keep : {false, true})
        pairs.append(QJsonArray{QString::fromUtf8(sheet), QString::fromUtf8(clickThroughAndSave(sheet, keep).saved)});
    const QVariantList verdicts = judgeInBlankPage(kCompareRules, pairs);
    ASSERT_EQ(verdicts.size(), 2);
    for (int layout = 0; layout < 2; ++layout) {
        const QVariantList rules = verdicts[layout].toList();
        ASSERT_EQ(rules.size(), what.size()) << rules.value(0).toString().toStdString();
        int failures = 0;
        for (qsizetype i = 0; i < rules.size() && failures < 20; ++i) {
            if (rules[i].toString().isEmpty())
                continue;
            ++failures;
            ADD_FAILURE() << (layout ? "file's layout: " : "program's layout: ") << what[i].toStdString() << "\n"
                          << rules[i].toString().toStdString();
        }
    }
}

} // namespace
