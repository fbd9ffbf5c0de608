// A page styled by each public sheet renders the same after the program
// has opened the sheet, clicked through every rule and saved it: every
// computed style of every element is compared in a real browser engine.
#include "corpus_sheets.h"
#include "core/preview/sheet_lowering.h"
#include "core/sheet/sheet_file_io.h"


#include <gtest/gtest.h>

#include <QEventLoop>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

const char *const kStandardElements = R"(
<header><nav><a href="#x">link</a> <a>plain anchor</a></nav></header>
<main><article><section>
<h1>Heading 1</h1><h2>Heading 2</h2><h3>Heading 3</h3><h4>Heading 4</h4><h5>Heading 5</h5><h6>Heading 6</h6>
<p>Paragraph with <b>bold</b>, <strong>strong</strong>, <i>italic</i>, <em>em</em>, <small>small</small>,
<sub>sub</sub>, <sup>sup</sup>, <mark>mark</mark>, <abbr title="t">abbr</abbr>, <dfn>dfn</dfn>, <code>code</code>,
<kbd>kbd</kbd>, <samp>samp</samp>, <var>var</var>, <del>del</del>, <ins>ins</ins>, <s>s</s>, <u>u</u>, <q>q</q>.</p>
<blockquote><p>Quoted</p><cite>cite</cite></blockquote>
<pre><code>pre code</code></pre>
<ul><li>one</li><li>two<ul><li>nested</li></ul></li></ul>
<ol><li>first</li><li>second</li></ol>
<dl><dt>term</dt><dd>definition</dd></dl>
<hr>
<table><caption>caption</caption><thead><tr><th>head</th><th>head</th></tr></thead>
<tbody><tr><td>cell</td><td>cell</td></tr></tbody><tfoot><tr><td>foot</td><td>foot</td></tr></tfoot></table>
<figure><figcaption>figure caption</figcaption></figure>
<details open><summary>summary</summary>details</details>
<address>address</address><time>time</time><output>output</output>
<progress value="30" max="100"></progress><meter value="0.5"></meter>
</section></article>
<aside>aside</aside>
<form><fieldset><legend>legend</legend>
<label for="t">label</label><input id="t" type="text" placeholder="text">
<input type="password"><input type="email"><input type="number"><input type="search">
<input type="checkbox" checked><input type="radio"><input type="range"><input type="file"><input type="color">
<input type="date"><input type="submit" value="submit"><input type="reset"><input type="button" value="button">
<input type="text" disabled><input type="text" readonly>
<select><option>one</option><optgroup label="g"><option>two</option></optgroup></select>
<select multiple><option>one</option></select>
<textarea>text area</textarea>
<button type="button">button</button><button disabled>disabled</button>
</fieldset></form>
<iframe title="frame"></iframe><svg width="10" height="10"></svg><canvas width="10" height="10"></canvas>
<audio controls></audio><video></video>
<template>template</template>
</main>
<footer>footer</footer>
)";

// Classes and ids that the sheet's selectors name, each on an element.
// Words in values that look like them (a colour "#fff") only add elements.
QString namedElements(const QByteArray &sheet)
{
    QSet<QString> classes, ids;
    static const QRegularExpression comments(QStringLiteral("/\\*.*?\\*/"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression token(QStringLiteral("([.#])(-?[_a-zA-Z][-_a-zA-Z0-9]*)"));
    QString text = QString::fromLatin1(sheet);
    text.remove(comments);
    auto it = token.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        (m.captured(1) == QLatin1String(".") ? classes : ids).insert(m.captured(2));
    }
    QStringList sortedClasses(classes.begin(), classes.end());
    QStringList sortedIds(ids.begin(), ids.end());
    sortedClasses.sort();
    sortedIds.sort();
    QString html = QStringLiteral("<div id=\"named\">");
    for (const QString &c : sortedClasses)
        html += QStringLiteral("<div class=\"%1\"><span class=\"%1\">x</span></div>").arg(c);
    for (const QString &id : sortedIds)
        html += QStringLiteral("<div id=\"%1\">x</div>").arg(id);
    return html + QStringLiteral("</div>");
}

// Every element's computed style, one "element property value" a line.
const char *const kComputedStyles = R"(
(() => {
  const out = [];
  const all = document.querySelectorAll('*');
  for (let i = 0; i < all.length; ++i) {
    const style = getComputedStyle(all[i]);
    for (let j = 0; j < style.length; ++j) {
      const name = style[j];
      out.push(i + ' ' + all[i].tagName + ' ' + name + ' ' + style.getPropertyValue(name));
    }
  }
  return out.join('\n');
})()
)";

// Renders the page with the sheet linked, in a view of the given width,
// and returns its computed styles.
QString computedStyles(const QString &sheetPath, const QString &body, int width)
{
    QWebEngineView view;
    view.resize(width, 900);
    view.show();
    QWebEnginePage &page = *view.page();
    // Transitions would catch the styles half way, at a different moment
    // in each run; both pages turn them off alike.
    const QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                                        "<link rel=\"stylesheet\" href=\"%1\"><style>*, *::before, *::after "
                                        "{ transition: none !important; animation: none !important; }</style>"
                                        "</head><body>%2</body></html>")
                             .arg(QUrl::fromLocalFile(sheetPath).toString(), body);
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
        loaded = ok;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    page.setHtml(html, QUrl::fromLocalFile(sheetPath));
    loop.exec();
    if (!loaded)
        return QStringLiteral("<page did not load>");
    QString result = QStringLiteral("<no answer>");
    page.runJavaScript(QString::fromLatin1(kComputedStyles), [&](const QVariant &value) {
        result = value.toString();
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    return result;
}

class CorpusRendering : public testing::TestWithParam<QString>
{
};

TEST_P(CorpusRendering, SavedSheetRendersThePageTheSame)
{
    QString why;
    const QByteArray original = readCorpusSheet(GetParam(), &why);
    ASSERT_FALSE(original.isEmpty()) << why.toStdString();

    QTemporaryDir dir;
    const QString before = dir.filePath(QStringLiteral("before.css"));
    const QString after = dir.filePath(QStringLiteral("after.css"));
    QFile raw(before);
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    raw.write(original);
    raw.close();
    ASSERT_TRUE(writeSheetFile(after, splitText(original), nullptr));
    const RoundTrip saved = openSelectAllSave(after);
    ASSERT_FALSE(saved.rules.isEmpty());
    if (isTodaysSheet(GetParam())) {
        // This engine reads neither nesting nor today's colours: both sides
        // are rendered as the preview shows them.
        for (const auto &[path, bytes] : {std::pair{before, original}, std::pair{after, saved.saved}}) {
            QFile lowered(path);
            ASSERT_TRUE(lowered.open(QIODevice::WriteOnly));
            lowered.write(lowerForPreview(bytes, "").text);
        }
    }
    const QString body = QString::fromLatin1(kStandardElements) + namedElements(original);

    const QString unstyled = dir.filePath(QStringLiteral("empty.css"));
    ASSERT_TRUE(writeSheetFile(unstyled, {}, nullptr));
    // A narrow and a wide page: both sides of the sheets' width queries.
    QStringList narrow;
    for (const int width : {375, 1280}) {
        const QStringList expected = computedStyles(before, body, width).split(QLatin1Char('\n'));
        if (width == 375)
            narrow = expected;
        else if (original.contains("@media (min-width"))
            EXPECT_NE(expected, narrow) << "the width queries must make a difference";
        ASSERT_NE(expected, computedStyles(unstyled, body, width).split(QLatin1Char('\n')))
            << "the sheet must take effect";
        const QStringList actual = computedStyles(after, body, width).split(QLatin1Char('\n'));
        ASSERT_GT(expected.size(), 1000) << expected.value(0).toStdString();
        ASSERT_EQ(actual.size(), expected.size());
        int shown = 0;
        for (int i = 0; i < expected.size(); ++i) {
            if (expected[i] != actual[i] && shown++ < 20)
                ADD_FAILURE() << width << " px\n  was: " << expected[i].toStdString() << "\n  now: "
                              << actual[i].toStdString();
        }
        std::printf("[ corpus   ] %s at %d px: %lld computed values compared\n", qPrintable(GetParam()), width,
                    static_cast<long long>(expected.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Frameworks, CorpusRendering, testing::ValuesIn(corpusSheets()), corpusTestName);

} // namespace
