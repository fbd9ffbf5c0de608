// A panel change takes effect and changes nothing else, as the browser
// engine itself reads the rule: over the rules of public sheets that speak
// of a property, the property is set through its control in the window,
// and the engine reads the rule before and after the change.
#include "corpus_sheets.h"
#include "../support/window_fixture.h"

#include "core/panels/css_overlap.h"
#include "core/panels/declaration_list.h"
#include "core/panels/layout_controls.h"
#include "window/stylelist/color_form.h"

#include <QCheckBox>
#include <QComboBox>
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
    // it (CSS Variables 1); this engine still keeps a leading one. A value
    // with a var() is kept as its tokens, blanks beside brackets and commas
    // included, which change nothing once the variables are put in.
    for (let i = 0; i < style.length; ++i) {
      let value = style[i].startsWith('--') ? style.getPropertyValue(style[i]).trim() : style.getPropertyValue(style[i]);
      if (value.includes('var(')) value = value.replace(/\s*([(),])\s*/g, '$1');
      out[style[i]] = value + (style.getPropertyPriority(style[i]) ? ' !' : '');
    }
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
  // The longhands a property sets: itself, or those of a shorthand.
  const own = (property, value) => {
    const e = document.createElement('div');
    e.style.setProperty(property, value);
    return Array.from(e.style);
  };
  const valueIn = (text, property) => {
    const sheet = new CSSStyleSheet();
    sheet.replaceSync('x{' + text + '\n}');
    return sheet.cssRules[0].style.getPropertyValue(property);
  };
  return pairs.map(([before, after, property, value]) => {
    const b = read(before), a = read(after), now = valueIn(after, property);
    const mine = value === '*' || value === '=' ? [] : own(property, value);
    const wrong = [];
    // A value this engine cannot read before the change (color-mix() in an
    // older engine) it cannot read after it either.
    const unknown = !now && (!CSS.supports(property, 'initial')
                             || (!valueIn(before, property) && before.toLowerCase().includes(property + ':')));
    // "*": a list whose longhands all changed (a layer added); it reads,
    // and nothing outside it changed.
    if (value === '*') {
      mine.push(...own(property, 'initial'));
      if (!mine.some(name => a[name] && a[name] !== b[name])) wrong.push(property + ': no longhand took a value');
    }
    // A shorthand the engine cannot write as one (logical corners beside
    // it) is read longhand by longhand.
    const parts = () => {
      const e = document.createElement('div');
      e.style.setProperty(property, value);
      return mine.length > 1 && mine.every(name => (a[name] || '').replace(' !', '') === e.style.getPropertyValue(name));
    };
    if (value !== '*' && value !== '=' && (!now || computed(property, now) !== computed(property, value)) && !(!now && parts()) && !unknown)
      wrong.push(property + ' reads "' + now + '", not "' + value + '"');
    for (const name of new Set([...Object.keys(b), ...Object.keys(a)]))
      if (name !== property && !mine.includes(name) && b[name] !== a[name])
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

// The layout page's controls, with what each is given: a button of a group
// (the second when the first is down already), a number or length typed,
// or a text typed.
struct LayoutProperty {
    const char *name;
    const char *control;
    // A part of a list (a shadow's offset, a transition's duration) typed,
    // or a layer added: the declaration of the list is what changes.
    enum Kind { Toggle, Typed, Text, Check, Box, Part, Layer } kind;
    const char *typed = nullptr;
    const char *other = nullptr; // the button to click when `control` is down
};

const LayoutProperty kLayoutProperties[] = {
    {"flex-direction", "Flex_Direction_Column", LayoutProperty::Toggle, nullptr, "Flex_Direction_Row"},
    {"flex-wrap", "Flex_Wrap_Wrap", LayoutProperty::Toggle, nullptr, "Flex_Wrap_NoWrap"},
    {"justify-content", "Justify_Content_End", LayoutProperty::Toggle, nullptr, "Justify_Content_SpaceBetween"},
    {"align-items", "Align_Items_Center", LayoutProperty::Toggle, nullptr, "Align_Items_Start"},
    {"align-content", "Align_Content_SpaceAround", LayoutProperty::Toggle, nullptr, "Align_Content_Center"},
    {"align-self", "Align_Self_End", LayoutProperty::Toggle, nullptr, "Align_Self_Stretch"},
    {"row-gap", "RowGap", LayoutProperty::Typed, "17"},
    {"column-gap", "ColumnGap", LayoutProperty::Typed, "17"},
    {"flex-grow", "FlexGrow", LayoutProperty::Typed, "3"},
    {"flex-shrink", "FlexShrink", LayoutProperty::Typed, "0"},
    {"flex-basis", "FlexBasis", LayoutProperty::Typed, "auto"},
    {"order", "Order", LayoutProperty::Typed, "-2"},
    {"grid-template-columns", "GridTemplateColumns", LayoutProperty::Text, "repeat(2, 1fr) 40px"},
    {"grid-column", "GridColumn", LayoutProperty::Text, "1 / span 2"},
    {"grid-row", "GridRow", LayoutProperty::Text, "2"},
    {"min-width", "MinWidth", LayoutProperty::Typed, "min-content"},
    {"max-width", "MaxWidth", LayoutProperty::Typed, "none"},
    {"max-height", "MaxHeight", LayoutProperty::Typed, "17"},
    {"z-index", "ZIndex", LayoutProperty::Typed, "2147483647"},
    {"aspect-ratio", "AspectRatio", LayoutProperty::Text, "16 / 9"},
    {"box-sizing", "BoxSizing_BorderBox", LayoutProperty::Toggle, nullptr, "BoxSizing_ContentBox"},
    {"object-fit", "ObjectFit_Cover", LayoutProperty::Toggle, nullptr, "ObjectFit_Contain"},
    {"border-radius", "BorderRadius", LayoutProperty::Typed, "17"},
    {"border-top-left-radius", "RadiusTopLeft", LayoutProperty::Typed, "17"},
    {"border-bottom-right-radius", "RadiusBottomRight", LayoutProperty::Typed, "17"},
    {"opacity", "OpacityValue", LayoutProperty::Typed, "90"},
    {"outline-width", "OutlineWidth", LayoutProperty::Typed, "17"},
    {"outline-offset", "OutlineOffset", LayoutProperty::Typed, "17"},
    {"outline-style", "OutlineStyle", LayoutProperty::Box, "dashed"},
    {"cursor", "Cursor", LayoutProperty::Box, "pointer"},
    {"pointer-events", "PointerEventsNone", LayoutProperty::Check},
    {"user-select", "UserSelectNone", LayoutProperty::Check},
    {"appearance", "AppearanceNone", LayoutProperty::Check},
    {"white-space", "WhiteSpace_NoWrap", LayoutProperty::Toggle, nullptr, "WhiteSpace_PreWrap"},
    {"text-transform", "Text_Transform_Uppercase", LayoutProperty::Toggle, nullptr, "Text_Transform_None"},
    {"overflow-x", "OverflowXAuto", LayoutProperty::Toggle, nullptr, "OverflowXHidden"},
    {"overflow-y", "OverflowYHidden", LayoutProperty::Toggle, nullptr, "OverflowYScroll"},
    {"background-size", "BackgroundSizeCover", LayoutProperty::Toggle, nullptr, "BackgroundSizeContain"},
    {"background-clip", "BackgroundClipPaddingBox", LayoutProperty::Toggle, nullptr, "BackgroundClipText"},
    {"text-overflow", "TextOverflowEllipsis", LayoutProperty::Check},
    {"list-style", "ListStyleNone", LayoutProperty::Check},
    {"box-shadow", "ShadowY", LayoutProperty::Part, "17"},
    {"box-shadow", "ShadowSpread", LayoutProperty::Part, "3"},
    {"box-shadow", "ShadowAdd", LayoutProperty::Layer},
    {"transform", "Rotate", LayoutProperty::Part, "2"},
    {"transform", "TranslateY", LayoutProperty::Part, "17"},
    {"transform", "Scale", LayoutProperty::Part, "1.5"},
    {"transition", "TransitionDuration", LayoutProperty::Part, "150"},
    {"transition", "TransitionDelay", LayoutProperty::Part, "40"},
    {"transition", "TransitionAdd", LayoutProperty::Layer},
    {"margin-inline-start", "MarginLeft", LayoutProperty::Part, "17"},
    {"padding-inline-end", "PaddingRight", LayoutProperty::Part, "17"},
    {"border-top-color", "BorderSide_Top", LayoutProperty::Part},
};

// The declarations a list's control may write, after the rule's own form.
QList<QByteArray> writtenBy(const QByteArray &property)
{
    if (property == "transform")
        return {"transform", "translate", "rotate", "scale"};
    if (property == "transition")
        return {"transition", "transition-property", "transition-duration", "transition-timing-function",
                "transition-delay"};
    if (property == "margin-inline-start")
        return {"margin-inline-start", "margin-left"};
    if (property == "padding-inline-end")
        return {"padding-inline-end", "padding-right"};
    return {property};
}

class LayoutEffect : public PanelEffect
{
protected:
    QByteArray valueOf(const QByteArray &key)
    {
        QByteArray value;
        for (const Declaration &d : declarationsOf(joinLines(form->store().memo().lines(), "\n"))) {
            if (d.name == key)
                value = d.value;
        }
        return value;
    }

    // Sets the property through its control; returns the value it now has,
    // and for a list the property it went to.
    QByteArray change(const LayoutProperty &p, QByteArray *property)
    {
        *property = p.name;
        if (p.kind == LayoutProperty::Part || p.kind == LayoutProperty::Layer) {
            QHash<QByteArray, QByteArray> before;
            for (const QByteArray &name : writtenBy(p.name))
                before.insert(name, valueOf(latinUpper(name)));
            QWidget *control = child<QWidget>(p.control);
            showPageOf(control);
            if (QByteArray(p.control) == "BorderSide_Top") {
                // The top side chosen, a colour picked for it.
                QTest::mouseClick(static_cast<QToolButton *>(control), Qt::LeftButton);
                Property colour{"border-top-color", "BorderColor", Property::Swatch};
                const QByteArray value = PanelEffect::change(colour);
                QTest::mouseClick(child<QToolButton>("BorderSide_All"), Qt::LeftButton);
                return value;
            }
            if (p.kind == LayoutProperty::Layer) {
                QTest::mouseClick(static_cast<QToolButton *>(control), Qt::LeftButton);
            } else {
                auto *edit = static_cast<QLineEdit *>(control);
                QTest::mouseClick(edit, Qt::LeftButton);
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(edit, QLatin1String(p.typed));
                QTest::keyClick(edit, Qt::Key_Return);
            }
            // The declaration the change went to: the one that is new or
            // other; several, for a layer added to longhands.
            QList<QByteArray> changed;
            for (const QByteArray &name : writtenBy(p.name)) {
                if (valueOf(latinUpper(name)) != before.value(name))
                    changed.append(name);
            }
            if (changed.size() > 1)
                return "*";
            if (changed.size() == 1) {
                *property = changed[0];
                return valueOf(latinUpper(changed[0]));
            }
            // A part locked for a var() changes nothing, as its note says;
            // nor does a value the layer had already.
            const auto *edit = qobject_cast<QLineEdit *>(control);
            EXPECT_TRUE(!control->isEnabled() || (edit && edit->text() == QLatin1String(p.typed)))
                << p.control << " changed nothing";
            // "=": nothing to take effect; nothing else may change either.
            return control->isEnabled() ? valueOf(latinUpper(p.name)) : QByteArray("=");
        }
        QWidget *control = child<QWidget>(p.control);
        showPageOf(control);
        const QByteArray key = latinUpper(p.name);
        // A button writes its keyword in one of two forms ("end", "flex-end"):
        // the one the rule now holds.
        auto written = [&] {
            QByteArray value;
            for (const Declaration &d : declarationsOf(joinLines(form->store().memo().lines(), "\n"))) {
                if (d.name == key)
                    value = d.value;
            }
            return value;
        };
        switch (p.kind) {
        case LayoutProperty::Toggle: {
            auto *button = static_cast<QToolButton *>(control);
            if (button->isChecked())
                button = child<QToolButton>(p.other);
            QTest::mouseClick(button, Qt::LeftButton);
            const LayoutGroup *group = nullptr;
            for (const LayoutGroup &g : layoutGroups())
                group = g.key == key ? &g : group;
            const QByteArray value = written();
            const auto own = std::find_if(group->buttons.begin(), group->buttons.end(), [&](const LayoutButton &b) {
                return button->objectName() == QLatin1String(b.name);
            });
            EXPECT_TRUE(value == own->value || (own->flexValue && value == own->flexValue)) << value.constData();
            return value;
        }
        case LayoutProperty::Check: {
            auto *check = static_cast<QCheckBox *>(control);
            if (check->isChecked())
                QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
            EXPECT_TRUE(check->isChecked());
            return QByteArray(p.name) == "text-overflow" ? "ellipsis" : "none";
        }
        case LayoutProperty::Box: {
            auto *box = static_cast<QComboBox *>(control);
            box->setFocus();
            if (box->isEditable()) {
                QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(box, QLatin1String(p.typed));
                QTest::keyClick(box, Qt::Key_Return);
            } else {
                // The keys walk the list to the word; Home first.
                QTest::keyClick(box, Qt::Key_Home);
                for (int i = 0; i < box->count() && box->currentText() != QLatin1String(p.typed); ++i)
                    QTest::keyClick(box, Qt::Key_Down);
            }
            EXPECT_EQ(box->currentText(), QLatin1String(p.typed));
            return p.typed;
        }
        case LayoutProperty::Typed:
        case LayoutProperty::Text: {
            auto *edit = static_cast<QLineEdit *>(control);
            QTest::mouseClick(edit, Qt::LeftButton);
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, QLatin1String(p.typed));
            QTest::keyClick(edit, Qt::Key_Return);
            // A value the rule already gives through a shorthand is left to it.
            if (const QByteArray value = written(); !value.isEmpty())
                return value;
            if (QByteArray(p.name) == "opacity")
                return "0.9";
            // The field's own unit, as it shows it.
            for (int f = 0; f < kLengthCount; ++f) {
                const Length field = static_cast<Length>(f);
                if (p.kind == LayoutProperty::Typed && QByteArray(p.typed) == "17" && qstrcmp(lengthName(field), p.control) == 0)
                    return p.typed + form->editor().panels().length(field).unit;
            }
            return p.typed;
        }
        }
        return {};
    }
};

// Rules of today's layout shorthands, for the shorthands no public sheet
// of the corpus gives.
const QByteArray kShorthandSheet =
    ".a { display: flex; flex: 1; flex-flow: column wrap; gap: 4px 8px; place-content: center end; }\n"
    ".b { display: grid; grid-area: 1 / 2 / 3 / 4; place-self: start end; grid-gap: 2px; }\n"
    ".c { flex: none; -webkit-flex: auto; place-items: baseline; grid-template: auto 1fr / 1fr 2fr; }\n"
    ".d { flex: 2 3 10%; flex-direction: row-reverse !important; order: 4; gap: 1em; grid-column: 1 / 3; }\n"
    ".e { color: red; }\n"
    ".f { border-radius: 1px 2px 3px 4px; box-shadow: 0 1px red, inset 0 0 2px blue; margin-inline: 4px 8px;\n"
    "  transition: opacity 1s, color 2s ease-in, transform 3s; transform: translate(-50%, 0) rotate(3deg); }\n"
    ".g { padding-block: 1px 2px; inset-inline: 0; transition-property: opacity, color; transition-duration: .2s;\n"
    "  border-bottom: 1px solid red; rotate: 10deg; white-space: nowrap; overflow: hidden; }\n";

TEST_P(LayoutEffect, EveryLayoutChangeTakesEffectAndChangesNothingElse)
{
    QString why;
    const QByteArray original =
        GetParam() == QLatin1String("shorthands") ? kShorthandSheet : readCorpusSheet(GetParam(), &why);
    ASSERT_FALSE(original.isEmpty()) << why.toStdString();
    startWith(original);
    ASSERT_TRUE(form->editor().files().OpenSheet(path));
    SheetStore &store = form->store();

    int spoken = 0;
    for (const LayoutProperty &p : kLayoutProperties) {
        // Rules that speak of it, and a few that do not.
        QList<int> speaking, silent;
        for (int i = 0; i < store.styleCount(); ++i)
            (speaksOf(store.table().body(i), latinUpper(p.name)) ? speaking : silent).append(i);
        spoken += speaking.isEmpty() ? 0 : 1;
        QList<int> rows;
        for (const QList<int> *from : {&speaking, &silent}) {
            const int count = std::min<int>(from == &speaking ? 10 : 3, from->size());
            for (int k = 0; k < count; ++k)
                rows.append((*from)[int(qint64(k) * from->size() / count)]);
        }
        QJsonArray pairs;
        QStringList where;
        for (const int row : std::as_const(rows)) {
            const ByteLines before = store.table().body(row);
            selectRule(row);
            ASSERT_EQ(store.list().selected(), row);
            QByteArray property;
            const QByteArray value = change(p, &property);
            pairs.append(QJsonArray{QString::fromUtf8(joinLines(before, "\n")),
                                    QString::fromUtf8(joinLines(store.memo().lines(), "\n")),
                                    QString::fromLatin1(property), QString::fromUtf8(value)});
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
    EXPECT_GT(spoken, 0) << "the sheet speaks of layout";
}

INSTANTIATE_TEST_SUITE_P(Frameworks, LayoutEffect,
                         testing::Values(QStringLiteral("bootstrap.css"), QStringLiteral("basecoat.css"),
                                         QStringLiteral("webawesome-native.css"), QStringLiteral("spectrum-table.css"),
                                         QStringLiteral("spectrum-textfield.css"), QStringLiteral("oat-form.css"),
                                         QStringLiteral("shorthands")),
                         corpusTestName);

INSTANTIATE_TEST_SUITE_P(Frameworks, PanelEffect,
                         testing::Values(QStringLiteral("bootstrap.css"), QStringLiteral("pure.css"),
                                         QStringLiteral("water.css"), QStringLiteral("bootstrap-2.3.2.css"),
                                         QStringLiteral("pure-0.5.0.css"), QStringLiteral("jquery-ui.css")),
                         corpusTestName);

} // namespace
