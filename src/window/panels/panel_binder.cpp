#include "window/panels/panel_binder.h"

#include "core/sheet/sheet_encoding.h"
#include "core/editor/editor.h"
#include "window/panels/panel_controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

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
