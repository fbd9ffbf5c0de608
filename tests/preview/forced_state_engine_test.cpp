// Marking the states loses no rule the preview's engine keeps: a rule it
// reads as written it reads marked.
#include "../support/page_script.h"

#include "core/preview/forced_states.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace {

// For each sheet: how many style rules the engine keeps, nested ones too.
const char *const kRuleCounts = R"(
(sheets => sheets.map(text => {
  const sheet = new CSSStyleSheet();
  try { sheet.replaceSync(text); } catch (e) { return -1; }
  const count = rules => Array.from(rules).reduce((n, r) => n + (r.selectorText !== undefined ? 1 : 0)
                                                   + (r.cssRules ? count(r.cssRules) : 0), 0);
  return count(sheet.cssRules);
}))
)";

TEST(ForcedStateEngine, AMarkedSheetKeepsEveryRuleTheEngineKeeps)
{
    const char *const sheets[] = {
        ".x::-webkit-scrollbar-thumb:hover, .y { color: red }",
        "input::-webkit-slider-thumb:active { color: red }",
        "input::file-selector-button:focus-visible { color: red }",
        "x-a::part(label):hover { color: red }",
        "a:hover::before { content: 'x' }",
        "a:not(:hover)::after, b:focus-within > i { color: red }",
        ".btn:hover, .btn:focus-visible, .btn:active { color: red }",
    };
    QJsonArray input;
    for (const char *sheet : sheets) {
        input.append(QString::fromLatin1(sheet));
        input.append(QString::fromLatin1(withStateMarkers(sheet)));
    }
    const QVariantList counts = judgeInBlankPage(kRuleCounts, input);
    ASSERT_EQ(counts.size(), input.size());
    for (qsizetype i = 0; i < counts.size(); i += 2)
        EXPECT_EQ(counts[i + 1].toInt(), counts[i].toInt()) << sheets[i / 2] << "\n" << input[i + 1].toString().toStdString();
}

} // namespace
