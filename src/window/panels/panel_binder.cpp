#include "window/panels/panel_binder.h"

#include "core/sheet/sheet_encoding.h"
#include "core/editor/editor.h"
#include "window/panels/panel_controls.h"

#include "core/panels/effect_parts.h"
#include "core/panels/layout_controls.h"
#include "core/panels/transition_layers.h"
#include "window/panels/easing_curve.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

void showLogicalMark(QLineEdit *edit, const QString &logical);

QColor toColor(Rgb c) { return QColor(c.r, c.g, c.b, c.a); }
Rgb toRgb(const QColor &c) { return {quint8(c.red()), quint8(c.green()), quint8(c.blue())}; }

void showBox(QComboBox *box, const FontBox &state, const SheetCodec &codec)
{
    const QSignalBlocker block(box);
    if (state.selected >= 0 && state.selected < box->count() && box->currentIndex() != state.selected)
        box->setCurrentIndex(state.selected);
    const QString text = codec.decode(state.text);
    if (box->currentText() != text)
        box->setEditText(text);
    setInUse(box, state.inUse);
    box->setEnabled(state.enabled);
}

// The item the box's text selects, or -1 for text that selects none.
int selectedItem(const QComboBox *box)
{
    return box->findText(box->currentText(), Qt::MatchExactly);
}

// Whether the object is the box, inside it, or its drop-down list.
bool belongsTo(const QObject *object, const QComboBox *box)
{
    for (; object; object = object->parent()) {
        if (object == box)
            return true;
    }
    return false;
}

} // namespace

PanelBinder::PanelBinder(Editor &editor, PanelControls &controls, QPushButton *applyButton, QTimer *fontTimer,
                         QWidget *window)
    : QObject(window)
    , m_editor(editor)
    , m_controls(controls)
    , m_applyButton(applyButton)
    , m_fontTimer(fontTimer)
{
    PanelState &panels = editor.panels();
    panels.buttonFace = toRgb(QPalette().color(QPalette::Button));
    for (int i = 6; i < controls.fontFamily->count(); ++i)
        panels.familyItems.append(editor.store().codec().encode(controls.fontFamily->itemText(i)));
    connect(&panels, &PanelState::changed, this, &PanelBinder::show);
    bindFontBoxes();
    qApp->installEventFilter(this);
    bindToggles();
    bindChecks();
    bindLayout();
    bindEffects();
    connect(applyButton, &QPushButton::clicked, this, [this] { m_editor.panelController().applyTypedDeclarations(); });
    show();
}

void PanelBinder::show()
{
    if (m_showing)
        return;
    m_showing = true;
    const PanelState &p = m_editor.panels();
    const SheetCodec &codec = m_editor.store().codec();
    showBox(m_controls.fontFamily, p.fontFamily, codec);
    showBox(m_controls.fontFamily2, p.fontFamily2, codec);
    showBox(m_controls.fontWeight, p.fontWeight, codec);
    showBox(m_controls.fontSize, p.fontSize, codec);
    m_controls.fontSizeUnit->setText(codec.decode(p.fontSizeUnit));
    m_controls.fontSizeBold->setChecked(p.fontSizeBold);

    for (int i = 0; i < kLengthCount; ++i) {
        const LengthField &field = m_controls.lengthFields[QLatin1String(lengthName(static_cast<Length>(i)))];
        const LengthValue &value = p.lengths[i];
        const QString text = codec.decode(value.text);
        if (field.edit->text() != text) {
            const QSignalBlocker block(field.edit);
            field.edit->setText(text);
        }
        setInUse(field.edit, value.inUse);
        field.unit->setText(codec.decode(value.unit));
        showLogicalMark(field.edit, QString::fromLatin1(p.logical[i]));
    }

    for (int g = 0; g < kGroupCount; ++g) {
        const Group group = static_cast<Group>(g);
        const QList<const char *> &names = groupButtons(group);
        const bool background = group == Group::BgPosition || group == Group::BgAttachment || group == Group::BgRepeat;
        for (int i = 0; i < names.size(); ++i) {
            QToolButton *button = m_controls.toggles.value(QLatin1String(names[i]));
            button->setChecked(p.isDown(group, i));
            if (background)
                button->setEnabled(p.backGroundButtonsEnabled());
        }
    }

    for (int s = 0; s < kSwatchCount; ++s) {
        const QString name = QLatin1String(swatchName(static_cast<Swatch>(s)));
        m_controls.swatches[name]->setColor(toColor(p.swatches[s].color));
        m_controls.swatches[name]->setWrittenAs(codec.decode(p.swatches[s].written));
        m_controls.checks[name + QStringLiteral("Check")]->setChecked(p.swatches[s].checked);
    }
    for (int t = 0; t < kTextFieldCount; ++t) {
        const TextField field = static_cast<TextField>(t);
        const QString text = codec.decode(p.texts[t]);
        if (field == TextField::GridTemplateAreas) {
            const QString lines = codec.decode(areasAsLines(p.texts[t]));
            if (m_controls.gridAreas->toPlainText() != lines && !m_controls.gridAreas->hasFocus())
                m_controls.gridAreas->setPlainText(lines);
            setInUse(m_controls.gridAreas, !text.isEmpty());
            continue;
        }
        QLineEdit *edit = m_controls.textFields.value(QLatin1String(textFieldName(field)));
        // A refused value stays in the field to be put right.
        if (edit->text() != text && !m_refused.contains(edit)) {
            const QSignalBlocker block(edit);
            edit->setText(text);
        }
        setInUse(edit, !text.isEmpty() || m_refused.contains(edit));
    }
    m_controls.gridDense->setChecked(p.gridDense);
    for (int f = 0; f < kFlagCount; ++f)
        m_controls.flags.value(QLatin1String(flagName(static_cast<Flag>(f))))->setChecked(p.flags[f]);
    for (int b = 0; b < kKeywordBoxCount; ++b) {
        QComboBox *box = m_controls.keywordBoxes.value(QLatin1String(keywordBoxName(static_cast<KeywordBox>(b))));
        const QSignalBlocker block(box);
        const QString value = QString::fromLatin1(p.keywordBoxes[b]);
        const int item = box->findText(value, Qt::MatchExactly);
        box->setCurrentIndex(item < 0 ? 0 : item);
        if (box->isEditable() && box->currentText() != value)
            box->setEditText(value);
        setInUse(box, !value.isEmpty());
    }
    if (!m_controls.opacity->isSliderDown()) {
        const LengthValue &opacity = p.length(Length::Opacity);
        const QSignalBlocker block(m_controls.opacity);
        m_controls.opacity->setValue(opacity.inUse && !opacity.text.isEmpty() ? qRound(opacity.text.toDouble()) : 100);
    }
    showEffects();
    m_controls.backGroundTransparent->setChecked(p.backGroundTransparent);
    m_controls.checks[QStringLiteral("BackGroundColorCheck")]->setEnabled(p.backGroundColorCheckEnabled());
    m_controls.swatches[QStringLiteral("BackGroundColor")]->setVisible(p.backGroundSwatchVisible());
    QCheckBox *att = m_controls.backGroundAttCheck;
    att->setChecked(p.backGroundAtt.checked);
    att->setEnabled(p.backGroundAtt.enabled);
    att->setText(codec.decode(p.backGroundAtt.caption));
    if (!p.backGroundAtt.hint.isEmpty()) {
        att->setToolTip(codec.decode(p.backGroundAtt.hint));
        att->setStatusTip(att->toolTip());
    }
    m_applyButton->setVisible(p.applyButtonVisible);
    m_showing = false;
}

void PanelBinder::clearUnusedLengths()
{
    PanelState &p = m_editor.panels();
    for (LengthValue &value : p.lengths) {
        if (!value.inUse)
            value.text.clear();
    }
    show();
}

void PanelBinder::bindFontBoxes()
{
    PanelController &c = m_editor.panelController();
    c.startFontTimer = [this] { m_fontTimer->start(); };
    connect(m_fontTimer, &QTimer::timeout, this, [this] {
        m_fontTimer->stop();
        m_editor.panelController().finishFontChange();
    });
    auto onChange = [this](QComboBox *box, auto handler) {
        auto forward = [this, box, handler] {
            if (m_showing)
                return;
            m_typedBoxes.remove(box);
            (m_editor.panelController().*handler)(selectedItem(box), m_editor.store().codec().encode(box->currentText()));
        };
        connect(box, &QComboBox::activated, this, forward);
        // Typed text counts once the typing is done (Enter or leaving the
        // box): a commit after every key would read the rule back and wipe
        // the box under the user's fingers.
        // The line edit's own modified flag does not survive the box's
        // completion, so typing is tracked here.
        connect(box->lineEdit(), &QLineEdit::textEdited, this, [this, box] { m_typedBoxes.insert(box); });
        auto take = [this, box, forward] {
            if (!m_typedBoxes.remove(box))
                return;
            forward();
        };
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, take);
        m_typedText.append({box, take});
    };
    m_controls.fontFamily->lineEdit()->installEventFilter(this);
    m_controls.fontFamily2->lineEdit()->installEventFilter(this);
    onChange(m_controls.fontFamily, &PanelController::familyChanged);
    onChange(m_controls.fontFamily2, &PanelController::family2Changed);
    onChange(m_controls.fontWeight, &PanelController::weightChanged);
    onChange(m_controls.fontSize, &PanelController::sizeChanged);
    connect(m_controls.fontSizeBold, &QToolButton::clicked, this, [&c](bool down) { c.boldClicked(down); });
}

void PanelBinder::bindToggles()
{
    for (QToolButton *button : std::as_const(m_controls.toggles)) {
        connect(button, &QToolButton::clicked, this, [this, button] {
            m_editor.panelController().optionClicked(button->objectName().toLatin1());
        });
    }
}

void PanelBinder::bindChecks()
{
    PanelController &c = m_editor.panelController();
    for (int s = 0; s < kSwatchCount; ++s) {
        const Swatch swatch = static_cast<Swatch>(s);
        const QString name = QLatin1String(swatchName(swatch));
        QCheckBox *check = m_controls.checks[name + QStringLiteral("Check")];
        connect(check, &QCheckBox::clicked, this, [&c, swatch](bool checked) {
            c.swatchCheckClicked(swatch, checked);
            c.checkReleased();
        });
        connect(m_controls.swatches[name], &ColorSwatch::clicked, this, [this, &c, swatch] {
            if (chooseColor)
                c.swatchColorChosen(swatch, chooseColor(m_editor.panels().swatch(swatch).color));
        });
    }
    connect(m_controls.backGroundTransparent, &QCheckBox::clicked, this, [&c](bool checked) {
        c.transparentClicked(checked);
        c.checkReleased();
    });
    connect(m_controls.backGroundAttCheck, &QCheckBox::clicked, this, [&c](bool checked) {
        c.backGroundAttClicked(checked);
        c.backGroundAttReleased();
    });
    connect(m_controls.openBackGround, &QPushButton::clicked, this, [this, &c] {
        const std::optional<QString> picture = choosePicture ? choosePicture() : std::nullopt;
        if (picture) {
            const QString address = pictureAddress(*picture, m_editor.store().currentFileName());
            c.backGroundPictureChosen(m_editor.store().codec().encode(address));
        }
        if (focusSink)
            focusSink();
    });
}

void PanelBinder::bindLayout()
{
    PanelController &c = m_editor.panelController();
    for (int t = 0; t < kTextFieldCount; ++t) {
        const TextField field = static_cast<TextField>(t);
        QLineEdit *edit = m_controls.textFields.value(QLatin1String(textFieldName(field)));
        if (!edit)
            continue;
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { m_refused.remove(edit); });
        connect(edit, &QLineEdit::editingFinished, this, [this, &c, edit, field] {
            if (m_showing)
                return;
            // Kept while the controller answers: a refusal shows the panels again.
            m_refused.insert(edit);
            // Text of the content field keeps its blanks: they are shown.
            const QString typed = field == TextField::Content ? edit->text() : edit->text().trimmed();
            if (c.textFieldEdited(field, m_editor.store().codec().encode(typed))) {
                m_refused.remove(edit);
                show();
            }
        });
    }
    m_controls.gridAreas->installEventFilter(this);
    const std::pair<const char *, std::pair<TextField, bool>> quick[] = {
        {"GridAddColumn", {TextField::GridTemplateColumns, true}},
        {"GridRemoveColumn", {TextField::GridTemplateColumns, false}},
        {"GridAddRow", {TextField::GridTemplateRows, true}},
        {"GridRemoveRow", {TextField::GridTemplateRows, false}}};
    for (const auto &[name, what] : quick) {
        const auto [field, add] = what;
        connect(m_controls.trackButtons.value(QLatin1String(name)), &QToolButton::clicked, this, [this, &c, field, add] {
            m_refused.remove(m_controls.textFields.value(QLatin1String(textFieldName(field))));
            if (add)
                c.gridTrackAdded(field);
            else
                c.gridTrackRemoved(field);
        });
    }
    connect(m_controls.gridDense, &QCheckBox::clicked, this, [&c](bool dense) { c.gridDenseClicked(dense); });

    for (int f = 0; f < kFlagCount; ++f) {
        const Flag flag = static_cast<Flag>(f);
        connect(m_controls.flags.value(QLatin1String(flagName(flag))), &QCheckBox::clicked, this,
                [&c, flag](bool checked) { c.flagClicked(flag, checked); });
    }
    for (int b = 0; b < kKeywordBoxCount; ++b) {
        const KeywordBox kind = static_cast<KeywordBox>(b);
        QComboBox *box = m_controls.keywordBoxes.value(QLatin1String(keywordBoxName(kind)));
        auto take = [this, &c, box, kind] {
            if (!m_showing)
                c.keywordChosen(kind, m_editor.store().codec().encode(box->currentText()));
        };
        connect(box, &QComboBox::activated, this, take);
        if (box->lineEdit())
            connect(box->lineEdit(), &QLineEdit::editingFinished, this, take);
    }
    // A drag is written once, when the slider is let go.
    QSlider *opacity = m_controls.opacity;
    connect(opacity, &QSlider::valueChanged, this, [this, &c, opacity](int value) {
        if (m_showing)
            return;
        if (opacity->isSliderDown())
            c.opacityDragged(value);
        else
            c.opacitySet(value);
    });
    connect(opacity, &QSlider::sliderReleased, this, [&c] { c.changeAndCommit(); });
}

namespace {

// A side read from a logical property is set in italics, its hint naming it.
void showLogicalMark(QLineEdit *edit, const QString &logical)
{
    if (edit->property("logicalMark").toString() == logical)
        return;
    if (!edit->property("plainHint").isValid())
        edit->setProperty("plainHint", edit->toolTip());
    QFont font = edit->font();
    font.setItalic(!logical.isEmpty());
    edit->setFont(font);
    edit->setToolTip(logical.isEmpty() ? edit->property("plainHint").toString()
                                       : QStringLiteral("Логическая сторона: %1 (в странице слева направо)").arg(logical));
    edit->setProperty("logicalMark", logical);
}

void showLayers(QListWidget *list, const PartsView &view, const SheetCodec &codec)
{
    const QSignalBlocker block(list);
    while (list->count() > view.captions.size())
        delete list->takeItem(list->count() - 1);
    for (int i = 0; i < view.captions.size(); ++i) {
        const QString caption = codec.decode(view.captions[i]);
        if (i >= list->count())
            list->addItem(caption);
        else if (list->item(i)->text() != caption)
            list->item(i)->setText(caption);
        list->item(i)->setToolTip(caption);
    }
    if (list->currentRow() != view.layer && view.layer < list->count())
        list->setCurrentRow(view.layer);
}

void showParts(QWidget *parts, QLabel *note, const PartsView &view)
{
    parts->setEnabled(view.locked.isEmpty());
    parts->setToolTip(view.locked);
    note->setText(view.locked);
    note->setVisible(!view.locked.isEmpty());
}

void showBoxText(QComboBox *box, const QString &text)
{
    const QSignalBlocker block(box);
    const int item = box->findText(text, Qt::MatchExactly);
    if (box->currentIndex() != item)
        box->setCurrentIndex(item);
    if (box->currentText() != text)
        box->setEditText(text);
    setInUse(box, !text.isEmpty());
}

} // namespace

void PanelBinder::showEffects()
{
    const PanelState &p = m_editor.panels();
    const SheetStore &store = m_editor.store();
    const SheetCodec &codec = store.codec();
    for (int side = 0; side < m_controls.borderSides.size(); ++side)
        m_controls.borderSides[side]->setChecked(p.borderSide == side);
    showLayers(m_controls.shadowList, p.shadows, codec);
    showParts(m_controls.shadowParts, m_controls.partNotes.value(QStringLiteral("ShadowParts")), p.shadows);
    m_controls.shadowInset->setChecked(p.shadowInset);
    m_controls.layerButtons.value(QStringLiteral("ShadowDelete"))->setEnabled(p.shadows.layers > 0);
    showParts(m_controls.transformParts, m_controls.partNotes.value(QStringLiteral("TransformParts")), p.transforms);
    showLayers(m_controls.transitionList, p.transitions, codec);
    showParts(m_controls.transitionParts, m_controls.partNotes.value(QStringLiteral("TransitionParts")), p.transitions);
    m_controls.layerButtons.value(QStringLiteral("TransitionDelete"))->setEnabled(!p.transitions.captions.isEmpty());
    m_controls.layerButtons.value(QStringLiteral("TransitionAdd"))->setEnabled(p.transitions.locked.isEmpty());
    if (!m_controls.transitionProperty->hasFocus())
        showBoxText(m_controls.transitionProperty, codec.decode(p.transitionProperty));
    if (!m_controls.transitionTiming->hasFocus())
        showBoxText(m_controls.transitionTiming, codec.decode(p.transitionTiming));
    const std::optional<EasingCurve::Points> points = easingPoints(p.transitionTiming);
    m_controls.easingCurve->setPoints(points);
    m_controls.easingCurve->setNote(points || p.transitionTiming.isEmpty() ? QString()
                                                                            : QStringLiteral("Ход задан ступенями "
                                                                                             "или своей функцией"));
    const int row = store.currentStyleIndex();
    const QByteArray selector = row >= 0 && row < store.styleCount() ? store.list().item(row) : QByteArray();
    m_controls.contentBox->setVisible(contentFieldShown(selector, p.text(TextField::Content)));
}

void PanelBinder::bindEffects()
{
    PanelController &c = m_editor.panelController();
    for (int side = 0; side < m_controls.borderSides.size(); ++side)
        connect(m_controls.borderSides[side], &QToolButton::clicked, this, [&c, side] { c.borderSideChosen(side); });
    connect(m_controls.shadowList, &QListWidget::currentRowChanged, this, [this, &c](int row) {
        if (!m_showing && row >= 0)
            c.shadowSelected(row);
    });
    connect(m_controls.transitionList, &QListWidget::currentRowChanged, this, [this, &c](int row) {
        if (!m_showing && row >= 0)
            c.transitionSelected(row);
    });
    const std::pair<const char *, void (PanelController::*)()> buttons[] = {
        {"ShadowAdd", &PanelController::shadowAdded},
        {"ShadowDelete", &PanelController::shadowDeleted},
        {"TransitionAdd", &PanelController::transitionAdded},
        {"TransitionDelete", &PanelController::transitionDeleted}};
    for (const auto &[name, handler] : buttons) {
        connect(m_controls.layerButtons.value(QLatin1String(name)), &QToolButton::clicked, this,
                [&c, handler] { (c.*handler)(); });
    }
    connect(m_controls.shadowInset, &QCheckBox::clicked, this, [&c](bool inset) { c.shadowInsetClicked(inset); });
    const std::pair<QComboBox *, void (PanelController::*)(const QByteArray &)> boxes[] = {
        {m_controls.transitionProperty, &PanelController::transitionPropertyChosen},
        {m_controls.transitionTiming, &PanelController::transitionTimingChosen}};
    for (const auto &[box, handler] : boxes) {
        auto take = [this, &c, box, handler] {
            if (!m_showing)
                (c.*handler)(m_editor.store().codec().encode(box->currentText()));
        };
        connect(box, &QComboBox::activated, this, take);
        connect(box->lineEdit(), &QLineEdit::editingFinished, this, take);
    }
    connect(m_controls.easingCurve, &EasingCurve::dragged, this, [&c](const EasingCurve::Points &points) {
        c.easingDragged(points);
    });
    connect(m_controls.easingCurve, &EasingCurve::released, this, [&c](const EasingCurve::Points &points) {
        c.easingSet(points);
    });
}

void PanelBinder::takeTypedText(const QObject *target)
{
    for (const auto &[box, take] : std::as_const(m_typedText)) {
        if (!belongsTo(target, box))
            take();
    }
}

bool PanelBinder::eventFilter(QObject *watched, QEvent *event)
{
    // Tool buttons take no focus, so the box would not see its typing end:
    // a press anywhere else, or a shortcut, takes the typed text first.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Shortcut) {
        takeTypedText(watched);
        return false;
    }
    // The areas are taken when their field is left.
    if (watched == m_controls.gridAreas && event->type() == QEvent::FocusOut && !m_showing) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            m_editor.panelController().textFieldEdited(
                TextField::GridTemplateAreas, m_editor.store().codec().encode(m_controls.gridAreas->toPlainText()));
        return false;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_controls.fontFamily->lineEdit()) {
            Font_FamilyDblClick();
            return true;
        }
        if (watched == m_controls.fontFamily2->lineEdit()) {
            Font_Family2DblClick();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PanelBinder::Font_FamilyDblClick()
{
    m_editor.panelController().familyChanged(0, m_editor.panels().familyItems.value(0));
}

void PanelBinder::Font_Family2DblClick()
{
    m_editor.panelController().family2Changed(0, m_editor.panels().familyItems.value(0));
}
