#pragma once

#include "core/preview/engine_features.h"
#include "core/preview/page_scripts.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <QTimer>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>

// Runs a script in the page's own world and waits for its answer.
inline QVariant runInPage(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool answered = false;
    page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        answered = true;
    });
    if (!QTest::qWaitFor([&] { return answered; }, 20000))
        return QStringLiteral("<no answer>");
    return result;
}

// The engine's answer to a function of the page's script applied to some
// data, in a blank page of its own: for tests that let the engine judge
// what CSS means.
inline void loadBlankPage(QWebEnginePage &page)
{
    QEventLoop loop;
    QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
    page.setHtml(QStringLiteral("<!DOCTYPE html><body></body>"));
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
}

inline QVariantList judgeInBlankPage(const char *function, const QJsonArray &input)
{
    QWebEnginePage page;
    loadBlankPage(page);
    return runInPage(&page, QString::fromLatin1(function) + QLatin1Char('(')
                                + QString::fromUtf8(QJsonDocument(input).toJson(QJsonDocument::Compact)) + QLatin1Char(')'))
        .toList();
}

// What this tree's engine reads by itself, asked as the preview asks it.
inline EngineFeatures engineOfThisTree()
{
    QWebEnginePage page;
    loadBlankPage(page);
    return EngineFeatures::fromAnswer(
        runInPage(&page, page_scripts::library() + QLatin1Char('\n') + page_scripts::engineFeatures()));
}

// For each sheet: its rules as the engine reads them, one a line, and how
// many style rules there are, those in @media and @supports included. A
// style rule is written with its declarations in a fixed order, custom
// properties' values trimmed and their line breaks as CSS reads them (the
// order of different properties, and blanks around a custom property's
// value, mean nothing).
inline const char *const kReadSheetRules = R"(
(sheets => sheets.map(text => {
  const sheet = new CSSStyleSheet();
  try { sheet.replaceSync(text); } catch (e) { return ['unreadable', 0]; }
  let styles = 0;
  const declarations = style => Array.from(style).sort().map(name => {
    const value = style.getPropertyValue(name);
    // A custom property's value keeps its text; CSS reads a CR LF in it as
    // LF, though some engines give back what was written.
    return name + ': ' + (name.startsWith('--') ? value.trim().replace(/\r\n?/g, '\n') : value)
      + (style.getPropertyPriority(name) ? ' !important' : '');
  }).join('; ');
  const walk = rules => Array.from(rules).map(rule => {
    if (rule.type === CSSRule.STYLE_RULE) {
      ++styles;
      return rule.selectorText + ' { ' + declarations(rule.style) + ' }';
    }
    if (rule.cssRules) return rule.cssText.split('{')[0] + '{\n' + walk(rule.cssRules) + '\n}';
    return rule.cssText;
  }).join('\n');
  const all = walk(sheet.cssRules);
  return [all, styles];
}))
)";
