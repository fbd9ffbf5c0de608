#include "core/panels/panel_controller.h"

#include "core/css/value_words.h"

#include "core/panels/declaration_writer.h"
#include "core/panels/grid_tracks.h"
#include "core/panels/layout_controls.h"
#include "core/sheet/sheet_store.h"
#include "core/panels/style_commit.h"
#include "core/panels/effect_parts.h"
#include "core/panels/declaration_reader.h"
#include "core/panels/transition_layers.h"

#include <algorithm>
#include <cmath>

namespace {

const QByteArray kSizeOffText = QByteArray("\xd0\xe0\xe7\xec\xe5\xf0 \xf8\xf0\xe8\xf4\xf2\xe0"); // "Размер шрифта"
const QByteArray kSizeText = QByteArray("\xd0\xe0\xe7\xec\xe5\xf0");                            // "Размер"

} // namespace

QByteArray cleanLengthText(const QByteArray &text)
{
    QByteArray out;
    for (const char c : text) {
        if (c == ',' || c == '.')
            out += '.';
        else if (c == '-' || (c >= '0' && c <= '9'))
            out += c;
    }
    return out;
}

QByteArray cleanFieldText(Length field, const QByteArray &text)
{
    const QByteArray word = text.trimmed().toLower();
    if (fieldKeywords(field).contains(word))
        return word;
    QByteArray out = cleanLengthText(text);
    if (fieldKind(field) == FieldKind::Number || fieldKind(field) == FieldKind::Percent)
        out.replace('-', "");
    if (fieldKind(field) == FieldKind::Percent && out.toDouble() > 100)
        out = "100";
    if (fieldKind(field) == FieldKind::Integer && out.contains('.'))
        out.truncate(out.indexOf('.'));
    // A whole number stays within what CSS integers hold.
    if (fieldKind(field) == FieldKind::Integer && !out.isEmpty() && out != "-") {
        bool ok = false;
        const qint64 number = out.toLongLong(&ok);
        if (ok)
            out = QByteArray::number(std::clamp<qint64>(number, -2147483648LL, 2147483647LL));
    }
    return out;
}

QString pictureAddress(const QString &picture, const QString &sheetPath)
{
    QString address = picture;
    const qsizetype slash = sheetPath.lastIndexOf(QLatin1Char('/'));
    if (!sheetPath.isEmpty() && slash >= 0) {
        const QString folder = sheetPath.left(slash + 1);
        if (address.startsWith(folder))
            address.remove(0, folder.size());
    }
    address.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return address;
}

PanelController::PanelController(PanelState &panels, SheetStore &store, StyleCommit &commit)
    : m_panels(panels)
    , m_store(store)
    , m_commit(commit)
{
}

void PanelController::regenerate()
{
    PanelsToDeclarations(m_panels, m_store.memo());
    m_panels.notify();
}

void PanelController::changeAndCommit()
{
    m_store.setSheetModified(true);
    regenerate();
    m_commit.CommitStyleChange(true);
}

void PanelController::optionClicked(const QByteArray &buttonName)
{
    const std::optional<ButtonRef> button = findButton(buttonName);
    if (!button)
        return;
    const bool wasDown = m_panels.isDown(button->group, button->index);
    m_panels.setDown(button->group, wasDown ? -1 : button->index);
    const LayoutGroup *layout = layoutGroup(button->group);
    if (layout && !wasDown) {
        const QByteArray keyword = keywordFor(*layout, button->index);
        if (keyword != layout->buttons[button->index].value)
            m_panels.chosen[static_cast<int>(button->group)] = keyword;
    }
    changeAndCommit();
    if (layout && !wasDown)
        noteLayoutTarget(layout->key);
}

QByteArray PanelController::keywordFor(const LayoutGroup &group, int button) const
{
    const LayoutButton &b = group.buttons[button];
    if (!b.flexValue)
        return b.value;
    const LayoutContext &context = m_panels.layoutContext;
    bool flex = false;
    if (group.flexForms == LayoutGroup::InFlexContainer) {
        // The rule's own display first; what the page shows where it has none.
        const int display = m_panels.downIn(Group::Display);
        if (display == 16 || display == 17)
            flex = true;
        else if (display < 0)
            flex = context.known && context.flexContainers > 0;
    } else if (group.flexForms == LayoutGroup::InFlexItem) {
        flex = context.known && context.flexItems > 0;
    }
    return flex ? b.flexValue : b.value;
}

void PanelController::noteLayoutTarget(const QByteArray &key)
{
    const LayoutTarget target = layoutTargetOf(key);
    const LayoutContext &context = m_panels.layoutContext;
    if (target == LayoutTarget::None || !context.known || context.elements == 0 || !showMessage)
        return;
    const int row = m_store.list().selected();
    if (row != m_notedRow) {
        m_notedRow = row;
        m_notedKinds = 0;
    }
    const int display = m_panels.downIn(Group::Display);
    const bool ownContainer = display >= 16 && display <= 19;
    if (target == LayoutTarget::Container && context.containers == 0 && !ownContainer && !(m_notedKinds & 1)) {
        m_notedKinds |= 1;
        showMessage(QStringLiteral("Свойство действует только на flex- и grid-контейнеры"));
    } else if (target == LayoutTarget::Item && context.items == 0 && !(m_notedKinds & 2)) {
        m_notedKinds |= 2;
        showMessage(QStringLiteral("Свойство действует только на элементы flex- и grid-контейнеров"));
    }
}

void PanelController::boldClicked(bool down)
{
    m_panels.fontSizeBold = down;
    FontBox &weight = m_panels.fontWeight;
    weight.selected = down ? 2 : 0;
    weight.text = PanelState::weightItems()[weight.selected];
    weight.inUse = down;
    changeAndCommit();
}

void PanelController::swatchCheckClicked(Swatch swatch, bool checked)
{
    m_panels.swatch(swatch).checked = checked;
    if (swatch == Swatch::Shadow)
        foldShadowColor(m_panels);
    m_panels.notify();
}

void PanelController::transparentClicked(bool checked)
{
    m_panels.backGroundTransparent = checked;
    // Transparent through a shorthand ("background: none") stays so unless
    // a colour is written after it: the swatch's own.
    const auto read = m_panels.asRead.constFind("BACKGROUND-COLOR");
    if (!checked && read != m_panels.asRead.cend() && read->derived)
        m_panels.swatch(Swatch::BackGround).checked = true;
    m_panels.notify();
}

void PanelController::backGroundAttClicked(bool checked)
{
    m_panels.backGroundAtt.checked = checked;
    regenerate();
}

void PanelController::backGroundAttReleased()
{
    m_store.setSheetModified(true);
    m_commit.CommitStyleChange(true);
}

void PanelController::swatchColorChosen(Swatch swatch, std::optional<Rgb> color)
{
    if (!color)
        return;
    m_panels.swatch(swatch) = {*color, true, {}};
    if (swatch == Swatch::Shadow)
        foldShadowColor(m_panels);
    changeAndCommit();
}

void PanelController::backGroundPictureChosen(const QByteArray &path)
{
    m_panels.backGroundAtt.hint = path;
    const qsizetype colon = path.lastIndexOf(':');
    m_panels.backGroundAtt.caption = colon < 0 ? path : path.mid(colon + 1);
    m_panels.backGroundAtt.enabled = true;
    m_panels.backGroundAtt.checked = true;
    regenerate();
    m_store.setSheetModified(true);
    m_commit.CommitStyleChange(true);
}

void PanelController::lengthClicked(Length field)
{
    m_panels.length(field).inUse = true;
    m_store.setSheetModified(true);
    m_panels.notify();
}

void PanelController::lengthTyped(Length field, const QByteArray &text)
{
    LengthValue &value = m_panels.length(field);
    if (value.text != text)
        m_typedField = field;
    value.text = text;
    fieldChanged(field);
    regenerate();
}

void PanelController::fieldChanged(Length field)
{
    coverCornersBy(field);
    foldEffectPart(m_panels, field);
}

void PanelController::coverCornersBy(Length field)
{
    const LengthValue &all = m_panels.length(Length::BorderRadius);
    if (field != Length::BorderRadius || !all.inUse || all.text.isEmpty())
        return;
    const std::pair<Length, const char *> corners[] = {{Length::RadiusTopLeft, "BORDER-TOP-LEFT-RADIUS"},
                                                        {Length::RadiusTopRight, "BORDER-TOP-RIGHT-RADIUS"},
                                                        {Length::RadiusBottomRight, "BORDER-BOTTOM-RIGHT-RADIUS"},
                                                        {Length::RadiusBottomLeft, "BORDER-BOTTOM-LEFT-RADIUS"}};
    for (const auto &[corner, key] : corners) {
        m_panels.length(corner).text.clear();
        m_panels.length(corner).inUse = false;
        // A corner only shown from the shorthand has nothing of its own to
        // take out of the rule.
        if (m_panels.asRead.value(key).derived)
            m_panels.asRead.remove(key);
    }
}

void PanelController::lengthLeft(Length field, const QByteArray &text)
{
    LengthValue &value = m_panels.length(field);
    const QByteArray cleaned = cleanFieldText(field, text);
    const bool changed = m_typedField == field || cleaned != value.text;
    m_typedField.reset();
    value.text = cleaned;
    if (value.text.isEmpty())
        value.inUse = false;
    if (changed)
        fieldChanged(field);
    regenerate();
    // What was typed or pasted is written once the field is left, as Enter
    // writes it; the focus goes on where the user sent it.
    if (changed) {
        m_store.setSheetModified(true);
        m_commit.CommitStyleChange(true, false);
        if (value.inUse) {
            for (const LayoutField &f : layoutFields()) {
                if (f.field == field)
                    noteLayoutTarget(f.key);
            }
        }
    }
}

void PanelController::lengthDoubleClicked(Length field)
{
    LengthValue &value = m_panels.length(field);
    if (!value.text.isEmpty())
        m_store.setSheetModified(true);
    value.text.clear();
    value.inUse = false;
    fieldChanged(field);
    regenerate();
    m_commit.CommitStyleChange(true);
}

bool PanelController::lengthStepped(Length field, bool up, const QByteArray &fieldText)
{
    LengthValue &value = m_panels.length(field);
    value.text = fieldText;
    // A keyword ("auto") steps as an empty field does, from 0.
    const bool keyword = fieldKeywords(field).contains(fieldText.trimmed().toLower());
    const QByteArray text = fieldText.isEmpty() || keyword ? QByteArray("0") : fieldText;
    value.inUse = true;
    bool ok = true;
    if (text.contains('.')) {
        const double number = text.toDouble(&ok);
        if (ok)
            value.text = QByteArray::number(static_cast<qint64>(std::nearbyint(number)));
    } else {
        const qint64 number = text.toLongLong(&ok);
        if (ok)
            value.text = QByteArray::number(number + (up ? 1 : -1));
    }
    if (ok && (fieldKind(field) == FieldKind::Number || fieldKind(field) == FieldKind::Percent)
        && value.text.startsWith('-'))
        value.text = "0";
    if (ok && fieldKind(field) == FieldKind::Percent && value.text.toDouble() > 100)
        value.text = "100";
    fieldChanged(field);
    m_panels.notify();
    return ok;
}

void PanelController::unitChosen(std::optional<Length> field, const QByteArray &unit)
{
    if (field) {
        m_panels.length(*field).unit = unit;
        fieldChanged(*field);
    } else
        m_panels.fontSizeUnit = unit;
    regenerate();
}

void PanelController::fontBoxChanged(FontBox &box, int selected, const QByteArray &text)
{
    box.selected = selected;
    box.text = text;
    // Text that is no item of the list (a family that is not installed
    // here) is taken as typed, as the sheet would name it.
    box.inUse = selected > 0 || (selected < 0 && !text.trimmed().isEmpty());
}

// Family, alternative family and weight are written a moment later.
void PanelController::fontBoxDone()
{
    m_store.setSheetModified(true);
    m_panels.notify();
    if (startFontTimer)
        startFontTimer();
}

void PanelController::familyChanged(int selected, const QByteArray &text)
{
    FontBox &family2 = m_panels.fontFamily2;
    fontBoxChanged(m_panels.fontFamily, selected, text);
    if (m_panels.fontFamily.inUse) {
        if (family2.selected > 0)
            family2.inUse = true;
        family2.enabled = true;
    } else {
        family2.inUse = false;
        family2.enabled = false;
    }
    fontBoxDone();
}

void PanelController::family2Changed(int selected, const QByteArray &text)
{
    fontBoxChanged(m_panels.fontFamily2, selected, text);
    fontBoxDone();
}

void PanelController::weightChanged(int selected, const QByteArray &text)
{
    fontBoxChanged(m_panels.fontWeight, selected, text);
    m_panels.fontSizeBold = selected == 2;
    fontBoxDone();
}

void PanelController::sizeChanged(int selected, const QByteArray &text)
{
    FontBox &size = m_panels.fontSize;
    size.selected = selected;
    if (selected == 0) {
        size.inUse = false;
        size.text = kSizeOffText;
        if (startFontTimer)
            startFontTimer();
    } else {
        size.text = text;
        size.inUse = true;
    }
    changeAndCommit();
}

void PanelController::finishFontChange()
{
    if (!m_panels.fontSize.inUse)
        m_panels.fontSize.text = kSizeText;
    regenerate();
    m_commit.CommitStyleChange(true);
}

void PanelController::applyTypedDeclarations()
{
    m_store.setSheetModified(true);
    m_store.SelectStyle();
    m_store.RegenerateSheet();
}

bool PanelController::textFieldEdited(TextField field, const QByteArray &typed)
{
    const bool areas = field == TextField::GridTemplateAreas;
    const bool wide = isCssWideKeyword(typed);
    const QByteArray value = wide                             ? typed.trimmed().toLower()
                             : areas                          ? areasFromLines(typed)
                             : field == TextField::Content ? contentAsCss(typed)
                                                           : typed.simplified();
    // Left as it was shown, the value stays as the rule wrote it.
    const QByteArray &current = m_panels.text(field);
    if (value == (areas ? areasFromLines(areasAsLines(current)) : current.simplified()))
        return true;
    const bool tracks = field == TextField::GridTemplateColumns || field == TextField::GridTemplateRows;
    if (tracks && !value.isEmpty() && !wide && !isGridTrackList(value)) {
        if (showMessage)
            showMessage(QStringLiteral("Это не список дорожек сетки"));
        m_panels.notify();
        return false;
    }
    m_panels.text(field) = value;
    changeAndCommit();
    if (!value.isEmpty())
        noteLayoutTarget(latinUpper(textFieldProperty(field)));
    return true;
}

void PanelController::gridTrackAdded(TextField field)
{
    applyTrackEdit(field, withTrackAdded(m_panels.text(field)));
}

void PanelController::gridTrackRemoved(TextField field)
{
    if (!m_panels.text(field).isEmpty())
        applyTrackEdit(field, withLastTrackRemoved(m_panels.text(field)));
}

void PanelController::applyTrackEdit(TextField field, const TrackEdit &edit)
{
    if (edit.tracks)
        textFieldEdited(field, *edit.tracks);
    if (!edit.message.isEmpty() && showMessage)
        showMessage(edit.message);
}

void PanelController::gridDenseClicked(bool dense)
{
    m_panels.gridDense = dense;
    changeAndCommit();
    if (dense)
        noteLayoutTarget("GRID-AUTO-FLOW");
}

void PanelController::flagClicked(Flag flag, bool checked)
{
    m_panels.flags[static_cast<int>(flag)] = checked;
    changeAndCommit();
}

void PanelController::keywordChosen(KeywordBox box, const QByteArray &text)
{
    QByteArray &value = m_panels.keywordBoxes[static_cast<int>(box)];
    const QByteArray chosen = text.simplified().toLower();
    if (chosen == value)
        return;
    value = chosen;
    changeAndCommit();
}

void PanelController::opacityDragged(int percent)
{
    LengthValue &value = m_panels.length(Length::Opacity);
    value.text = QByteArray::number(std::clamp(percent, 0, 100));
    value.inUse = true;
    m_store.setSheetModified(true);
    regenerate();
}

void PanelController::opacitySet(int percent)
{
    opacityDragged(percent);
    changeAndCommit();
}

void PanelController::shadowSelected(int layer)
{
    if (layer == m_panels.shadows.layer)
        return;
    m_panels.shadows.layer = layer;
    showEffectParts(m_panels);
    m_panels.notify();
}

void PanelController::shadowAdded()
{
    addShadowLayer(m_panels);
    changeAndCommit();
}

void PanelController::shadowDeleted()
{
    removeShadowLayer(m_panels);
    changeAndCommit();
}

void PanelController::shadowInsetClicked(bool inset)
{
    foldShadowInset(m_panels, inset);
    changeAndCommit();
}

void PanelController::transitionSelected(int layer)
{
    if (layer == m_panels.transitions.layer)
        return;
    m_panels.transitions.layer = layer;
    showEffectParts(m_panels);
    m_panels.notify();
}

void PanelController::transitionAdded()
{
    addTransitionLayer(m_panels);
    changeAndCommit();
}

void PanelController::transitionDeleted()
{
    removeTransitionLayer(m_panels);
    changeAndCommit();
}

void PanelController::transitionPropertyChosen(const QByteArray &text)
{
    if (text.simplified() == m_panels.transitionProperty || !m_panels.transitions.locked.isEmpty())
        return;
    foldTransitionProperty(m_panels, text);
    changeAndCommit();
    showEffectParts(m_panels);
    m_panels.notify();
}

void PanelController::transitionTimingChosen(const QByteArray &text)
{
    if (text.simplified() == m_panels.transitionTiming || !m_panels.transitions.locked.isEmpty())
        return;
    foldTransitionTiming(m_panels, text);
    changeAndCommit();
    showEffectParts(m_panels);
    m_panels.notify();
}

void PanelController::easingDragged(const std::array<double, 4> &points)
{
    if (!m_panels.transitions.locked.isEmpty())
        return;
    foldTransitionTiming(m_panels, cubicBezierText(points, m_panels.transitionTiming));
    m_store.setSheetModified(true);
    regenerate();
}

void PanelController::easingSet(const std::array<double, 4> &points)
{
    easingDragged(points);
    showEffectParts(m_panels);
    changeAndCommit();
}

void PanelController::borderSideChosen(int side)
{
    m_panels.borderSide = std::clamp(side, 0, kBorderSideCount - 1);
    DeclarationsToPanels(m_panels, m_store.memo());
}
