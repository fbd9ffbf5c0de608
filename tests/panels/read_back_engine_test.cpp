// Reading a rule into the panels and saving it changes nothing the engine
// reads: random rule bodies of the values the panels show, each read back
// by the engine before and after, every longhand compared.
#include "../support/click_through.h"
#include "../support/page_script.h"


#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTimer>
#include <QWebEnginePage>

#include <gtest/gtest.h>

namespace {

// For each pair of sheets: the longhands of their first rule that differ.
const char *const kCompare = R"(
(pairs => pairs.map(([before, after]) => {
  const read = text => {
    const sheet = new CSSStyleSheet();
    sheet.replaceSync(text);
    const style = sheet.cssRules[0].style, out = {};
    for (let i = 0; i < style.length; ++i)
      out[style[i]] = style.getPropertyValue(style[i]) + (style.getPropertyPriority(style[i]) ? ' !' : '');
    return out;
  };
  const b = read(before), a = read(after), wrong = [];
  for (const name of new Set([...Object.keys(b), ...Object.keys(a)]))
    if (b[name] !== a[name]) wrong.push(name + ': "' + b[name] + '" became "' + a[name] + '"');
  return wrong.join('; ');
}))
)";

TEST(ReadBack, ARuleReadIntoThePanelsAndSavedReadsTheSameToTheEngine)
{
    static const char *const pool[] = {
        "font-style: oblique", "font-style: Italic", "font-weight: bolder", "font-weight: 550",
        "font-variant: small-caps", "font: italic bold 12px/1.5 serif", "font-size: larger", "font-size: 1.2em",
        "font-family: \"Times New Roman\", serif", "color: SILVER", "color: currentColor", "color: red !important",
        "text-decoration: underline overline", "text-align: start", "text-indent: 2em", "word-spacing: -1px",
        "letter-spacing: normal", "line-height: 1.5", "line-height: normal", "vertical-align: -2px",
        "vertical-align: text-top", "background: url(a.png) no-repeat left top", "background-color: transparent",
        "background-color: rgb(0 0 0 / 50%)", "background-attachment: local", "background-repeat: space",
        "background-position: 10% 20%", "margin: 1px 2px", "margin-top: 0", "padding: 0 3px 4px",
        "border: 1px solid red", "border-width: 1px 2px", "border-style: solid dashed", "border-color: blue",
        "display: flow-root", "display: inline-block", "position: sticky", "float: inline-start", "float: left",
        "overflow: clip", "visibility: collapse", "width: calc(100% - 2px)", "height: fit-content", "top: auto",
        "left: -3px", "clip: rect(1px, 2px, 3px, 4px)", "text-transform: uppercase", "cursor: pointer",
        // Shorthands and the longhands they set, to be interleaved.
        "transition: opacity 1s", "transition-duration: 2s", "transition-property: color", "list-style: inside",
        "list-style-type: square", "white-space: pre", "text-wrap: balance", "inset: 1px", "margin-inline-start: 3px",
        "margin-left: auto", "flex: 1", "flex-grow: 2", "border-top: 2px dotted", "border-top-color: green",
        "grid-area: 1 / 2", "grid-column-start: 3", "place-items: center", "align-items: start", "outline: 1px solid",
        "outline-color: red", "border-radius: 4px", "border-top-left-radius: 1px", "overflow-x: hidden",
    };
    QRandomGenerator random(4242);
    QJsonArray pairs;
    QStringList bodies;
    for (int n = 0; n < 150; ++n) {
        QByteArray body;
        const int count = 2 + random.bounded(5);
        for (int k = 0; k < count; ++k)
            body += QByteArray("  ") + pool[random.bounded(int(std::size(pool)))] + ";\n";
        for (const bool keep : {false, true}) {
            const QByteArray sheet = ".a {\n" + body + "}\n";
            pairs.append(QJsonArray{QString::fromUtf8(sheet), QString::fromUtf8(clickThroughAndSave(sheet, keep).saved)});
            bodies.append(QString::fromUtf8(body) + (keep ? " (file's layout)" : " (program's layout)"));
        }
    }
    const QVariantList verdicts = judgeInBlankPage(kCompare, pairs);
    ASSERT_EQ(verdicts.size(), pairs.size());
    for (qsizetype i = 0; i < verdicts.size(); ++i)
        EXPECT_TRUE(verdicts[i].toString().isEmpty()) << bodies[i].toStdString() << "\n" << verdicts[i].toString().toStdString()
                                                     << "\n" << pairs[i].toArray()[1].toString().toStdString();
}

} // namespace
