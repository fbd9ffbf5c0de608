// A panel change takes effect and changes nothing else, as the browser
// engine itself reads the rule: over the rules of public sheets that speak
// of a property, the property is set through its control in the window,
// and the engine reads the rule before and after the change.
#include "corpus_sheets.h"
#include "../support/window_fixture.h"

#include "core/panels/css_overlap.h"
#include "core/panels/declaration_list.h"
#include "window/stylelist/color_form.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QWebEnginePage>

#include <cstdio>
#include <functional>

namespace {

// For each change: the rule's declarations before and after, the property
// and the value it was given. Answers an empty text for a change that took
// effect and changed nothing else, or what went wrong.
const char *const kJudge = R"(
(pairs => {
  const read = text => {
    const sheet = new CSSStyleSheet();
    sheet.replaceSync('x{' + text + '\n}');
    const style = sheet.cssRules[0].style, out = {};
    // A custom property's value is the same with or without blanks around
    // it (CSS Variables 1); this engine still keeps a leading one.
    for (let i = 0; i < style.length; ++i)
      out[style[i]] = (style[i].startsWith('--') ? style.getPropertyValue(style[i]).trim()
                                                 : style.getPropertyValue(style[i]))
                      + (style.getPropertyPriority(style[i]) ? ' !' : '');
    return out;
  };
  // A value as an element computes it: "blue" and "#0000ff" alike.
  const computed = (property, value) => {
    const e = document.body.appendChild(document.createElement('div'));
    e.style.setProperty(property, value);
    const out = getComputedStyle(e).getPropertyValue(property);
    e.remove();
    return out;
  };
  return pairs.map(([before, after, property, value]) => {
    const b = read(before), a = read(after), now = (a[property] || '').replace(' !', '');
    const wrong = [];
    if (!now || computed(property, now) !== computed(property, value))
      wrong.push(property + ' reads "' + a[property] + '", not "' + value + '"');
    for (const name of new Set([...Object.keys(b), ...Object.keys(a)]))
      if (name !== property && b[name] !== a[name])
        wrong.push(name + ': "' + b[name] + '" became "' + a[name] + '"');
    return wrong.join('; ');
  });
})
)";

struct Property {
    const char *name;    // as CSS spells it
    const char *control; // the objectName of its control
    enum Kind { Field, Swatch, Display } kind;
};

const Property kProperties[] = {
    {"padding-top", "PaddingTop", Property::Field},    {"margin-left", "MarginLeft", Property::Field},
    {"width", "BlockWidth", Property::Field},          {"color", "FontColor", Property::Swatch},
    {"background-color", "BackGroundColor", Property::Swatch}, {"display", "DisplayGrid", Property::Display},
};

// Whether a rule's declarations set the property, themselves or through a shorthand.
bool speaksOf(const ByteLines &body, const QByteArray &property)
{
    for (const Declaration &d : declarationsOf(joinLines(body, "\n"))) {
        if (!d.isCustom() && cssPropertiesOverlap(d.name, property))
            return true;
    }
    return false;
}

class PanelEffect : public WindowTest, public testing::WithParamInterface<QString>
{
protected:
    void selectRule(int row)
    {
        auto *list = child<QListWidget>("ListTag");
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    void showPageOf(QWidget *control)
    {
        auto *pages = child<QTabWidget>("TABPANEL");
        for (QWidget *w = control; w; w = w->parentWidget()) {
            if (pages->indexOf(w) >= 0) {
                pages->setCurrentWidget(w);
                return;
            }
        }
    }

    // Sets the property through its control; returns the value it now has.
    QByteArray change(const Property &p)
    {
        QWidget *control = child<QWidget>(p.control);
        showPageOf(control);
        switch (p.kind) {
        case Property::Field: {
            auto *edit = static_cast<QLineEdit *>(control);
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, QStringLiteral("17"));
            QTest::keyClick(edit, Qt::Key_Return);
            const auto field = p.name == QByteArray("width") ? Length::BlockWidth
                               : p.name == QByteArray("padding-top") ? Length::PaddingTop
                                                                      : Length::MarginLeft;
            return "17" + form->editor().panels().length(field).unit;
        }
        case Property::Swatch: {
            // A transparent background hides its swatch until the box is cleared.
            auto *transparent = child<QCheckBox>("BackGroundTransparent");
            if (control->objectName() == QLatin1String("BackGroundColor") && transparent->isChecked())
                QTest::mouseClick(transparent, Qt::LeftButton);
            EXPECT_TRUE(control->isVisible());
            TColorForm *picker = form->colorForm();
            bool ran = false;
            QTimer::singleShot(0, picker, [&] {
                ran = picker->isVisible();
                QWidget *image = picker->findChild<QWidget *>(QStringLiteral("Image1"));
                const QPoint blue(5 * 11 + 5, 7);
                QTest::mouseMove(picker->windowHandle(), image->mapTo(picker, blue));
                QTest::mouseClick(image, Qt::LeftButton, {}, blue);
            });
            QTest::mouseClick(control, Qt::LeftButton);
            EXPECT_TRUE(ran) << "the picker opened and the pick ran in it";
            return "#0000ff";
        }
        case Property::Display: {
            // A rule already shown as grid gets flex, so the click sets a value.
            auto *button = static_cast<QToolButton *>(control);
            if (button->isChecked())
                button = child<QToolButton>("DisplayFlex");
            QTest::mouseClick(button, Qt::LeftButton);
            return button == control ? "grid" : "flex";
        }
        }
        return {};
    }

    QStringList judge(const QJsonArray &pairs)
    {
        QWebEnginePage page;
        QEventLoop loop;
        QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
        page.setHtml(QStringLiteral("<!DOCTYPE html><html><body></body></html>"));
        loop.exec();
        QStringList answers;
        bool answered = false;
        const QString script = QString::fromLatin1(kJudge) + QLatin1Char('(')
                               + QString::fromUtf8(QJsonDocument(pairs).toJson(QJsonDocument::Compact))
                               + QLatin1Char(')');
        page.runJavaScript(script, [&](const QVariant &value) {
            answers = value.toStringList();
            answered = true;
            loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_TRUE(answered) << "the engine answered";
        return answers;
    }
};

TEST_P(PanelEffect, EveryChangeTakesEffectAndChangesNothingElse)
{
    QString why;
    const QByteArray original = readCorpusSheet(GetParam(), &why);
    ASSERT_FALSE(original.isEmpty()) << why.toStdString();
    startWith(original);
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    SheetStore &store = form->store();

    for (const Property &p : kProperties) {
        QList<int> rows;
        for (int i = 0; i < store.styleCount(); ++i) {
            if (speaksOf(store.table().body(i), latinUpper(p.name)))
                rows.append(i);
        }
        ASSERT_FALSE(rows.isEmpty()) << p.name;
        const int count = std::min<int>(40, rows.size());
        QJsonArray pairs;
        QStringList where;
        for (int k = 0; k < count; ++k) {
            const int row = rows[int(qint64(k) * rows.size() / count)];
            const ByteLines before = store.table().body(row);
            selectRule(row);
            ASSERT_EQ(store.list().selected(), row);
            const QByteArray value = change(p);
            pairs.append(QJsonArray{QString::fromUtf8(joinLines(before, "\n")),
                                    QString::fromUtf8(joinLines(store.memo().lines(), "\n")),
                                    QLatin1String(p.name), QString::fromLatin1(value)});
            where.append(QString::fromUtf8(store.list().items()[row]));
        }
        const QStringList answers = judge(pairs);
        ASSERT_EQ(answers.size(), pairs.size());
        int effective = 0;
        for (int k = 0; k < answers.size(); ++k) {
            if (answers[k].isEmpty())
                ++effective;
            else
                ADD_FAILURE() << GetParam().toStdString() << " " << where[k].toStdString() << ": "
                              << answers[k].toStdString() << "\n  before: "
                              << pairs[k].toArray()[0].toString().simplified().toStdString() << "\n  after: "
                              << pairs[k].toArray()[1].toString().simplified().toStdString();
        }
        std::printf("[ effect   ] %s %s: %d/%d\n", qPrintable(GetParam()), p.name, effective, int(answers.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Frameworks, PanelEffect,
                         testing::Values(QStringLiteral("bootstrap.css"), QStringLiteral("pure.css"),
                                         QStringLiteral("water.css"), QStringLiteral("bootstrap-2.3.2.css"),
                                         QStringLiteral("pure-0.5.0.css"), QStringLiteral("jquery-ui.css")),
                         corpusTestName);

} // namespace
