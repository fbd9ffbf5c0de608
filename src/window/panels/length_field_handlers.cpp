#include "window/panels/length_field_handlers.h"

#include "core/editor/editor.h"
#include "window/panels/panel_controls.h"
#include "window/panels/unit_chooser.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QToolButton>

namespace {

// The character a key types, as the length filter sees it: anything but
// plain ASCII is a character the fields never take.
char typedCharacter(const QKeyEvent *key)
{
    const QString text = key->text();
    if (text.size() != 1)
        return 0;
    const char16_t c = text.at(0).unicode();
    return c < 0x80 ? char(c) : '?';
}

} // namespace

LengthFieldHandlers::LengthFieldHandlers(Editor &editor, const PanelControls &controls, UnitChooser *chooser,
                                         QTimer *unitTimer, QMainWindow *window)
    : QObject(window)
    , m_editor(editor)
    , m_table(controls)
    , m_chooser(chooser)
    , m_unitTimer(unitTimer)
    , m_window(window)
{
    for (int number = 1; number <= LengthFieldTable::kFontSizeUnit; ++number) {
        const LengthFieldTable::Row &row = m_table[number];
        row.unit->installEventFilter(this);
        if (!row.edit)
            continue;
        row.edit->installEventFilter(this);
        // A paste from the context menu, the Edit menu or the middle button
        // comes with no key release: the edit itself says the text changed.
        connect(row.edit, &QLineEdit::textEdited, this, [this, edit = row.edit] { TEditPasted(edit); });
        connect(row.upDown, &UpDown::stepped, this,
                [this, upDown = row.upDown](bool up) { TEDitUpDownClick(upDown, up); });
        connect(row.upDown, &UpDown::released, this, &LengthFieldHandlers::AllMouseUp);
    }
    connect(m_unitTimer, &QTimer::timeout, this, &LengthFieldHandlers::Z_TimerTimer);
    connect(m_chooser->cancelButton(), &QToolButton::clicked, this, &LengthFieldHandlers::Z_cancelClick);
    QList<QToolButton *> units{m_chooser->offButton()};
    units.append(m_chooser->unitButtons());
    for (QToolButton *unit : units) {
        // A button's click is its release over it: the choice, then the
        // mouse-up that commits it.
        connect(unit, &QToolButton::clicked, this, [this, unit] {
            Z_AnyRazmClick(unit);
            AllMouseUp();
        });
    }
}

void LengthFieldHandlers::TEditClick(QLineEdit *sender)
{
    m_editor.panelController().lengthClicked(LengthFieldTable::field(m_table.numberOf(sender)));
}

void LengthFieldHandlers::TEditDblClick(QLineEdit *sender)
{
    m_editor.panelController().lengthDoubleClicked(LengthFieldTable::field(m_table.numberOf(sender)));
}

bool LengthFieldHandlers::TEditKeyPress(QLineEdit *sender, const QKeyEvent *key)
{
    const char typed = typedCharacter(key);
    if (typed == 0 || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const Length field = LengthFieldTable::field(m_table.numberOf(sender));
    // What is selected goes when the key is typed.
    QString kept = sender->text();
    if (sender->hasSelectedText())
        kept.remove(sender->selectionStart(), sender->selectedText().size());
    const LengthKey decision = filterFieldKey(fieldKind(field), !fieldKeywords(field).isEmpty(),
                                              m_editor.store().codec().encode(kept), typed);
    if (decision.kind == LengthKey::Drop)
        return true;
    // Typing into a field reached with the keyboard puts it in use, as a
    // click on it would.
    if (static_cast<unsigned char>(typed) >= ' ' && !m_editor.panels().length(field).inUse)
        m_editor.panelController().lengthClicked(field);
    switch (decision.kind) {
    case LengthKey::Insert:
        sender->insert(QString(QLatin1Char(decision.insert)));
        return true;
    case LengthKey::SetText:
        sender->setText(m_editor.store().codec().decode(decision.newText));
        sender->setCursorPosition(decision.caretAt);
        return true;
    default:
        return false;
    }
}

void LengthFieldHandlers::TEditKeyUp(QLineEdit *sender)
{
    m_editor.panelController().lengthTyped(LengthFieldTable::field(m_table.numberOf(sender)),
                                           m_editor.store().codec().encode(sender->text()));
}

void LengthFieldHandlers::TEditPasted(QLineEdit *sender)
{
    // The text first: putting the field in use shows the panels again.
    TEditKeyUp(sender);
    const Length field = LengthFieldTable::field(m_table.numberOf(sender));
    if (!sender->text().isEmpty() && !m_editor.panels().length(field).inUse)
        m_editor.panelController().lengthClicked(field);
}

void LengthFieldHandlers::TEditExit(QLineEdit *sender)
{
    m_editor.panelController().lengthLeft(LengthFieldTable::field(m_table.numberOf(sender)),
                                          m_editor.store().codec().encode(sender->text()));
}

void LengthFieldHandlers::TEDitUpDownClick(QObject *sender, bool up)
{
    const int number = m_table.numberOf(sender);
    QLineEdit *edit = m_table[number].edit;
    const QString text = edit->text();
    if (!m_editor.panelController().lengthStepped(LengthFieldTable::field(number), up, m_editor.store().codec().encode(text))
        && tellError)
        tellError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

void LengthFieldHandlers::AllMouseUp()
{
    m_editor.panelController().changeAndCommit();
}

QRect LengthFieldHandlers::clientArea() const
{
    int top = 0;
    const QWidget *menu = m_window->menuWidget();
    const auto *bar = qobject_cast<const QMenuBar *>(menu);
    if (menu && menu->isVisible() && !(bar && bar->isNativeMenuBar()))
        top = menu->geometry().bottom() + 1;
    return QRect(0, top, m_window->width(), m_window->height() - top);
}

void LengthFieldHandlers::TButton_MouseDown(QToolButton *sender)
{
    m_table.setUnitTarget(sender);
    const QRect client = clientArea();
    const QRect button(sender->mapTo(m_window, QPoint(0, 0)) - client.topLeft(), sender->size());
    m_chooser->move(client.topLeft() + unitChooserPosition(button, m_chooser->size(), client.size()));
    m_chooser->raise();
    m_chooser->show();
    m_unitTimer->start();
    m_countdown.start();
    m_chooser->cancelButton()->setText(QStringLiteral("Отмена"));
}

void LengthFieldHandlers::closeChooser()
{
    m_chooser->hide();
    m_unitTimer->stop();
}

void LengthFieldHandlers::Z_AnyRazmClick(QToolButton *sender)
{
    const int number = m_table.numberOf(m_table.unitTarget());
    closeChooser();
    if (number == 0)
        return;
    std::optional<Length> field;
    if (number != LengthFieldTable::kFontSizeUnit)
        field = LengthFieldTable::field(number);
    m_editor.panelController().unitChosen(field, m_editor.store().codec().encode(sender->text()));
}

void LengthFieldHandlers::Z_cancelClick()
{
    closeChooser();
}

void LengthFieldHandlers::Z_TimerTimer()
{
    if (const std::optional<QByteArray> caption = m_countdown.tick())
        m_chooser->cancelButton()->setText(QString::fromLatin1(*caption));
    else
        closeChooser();
}

bool LengthFieldHandlers::editEvent(QLineEdit *edit, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_doubleClicked = nullptr;
        break;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_doubleClicked == edit) {
            m_doubleClicked = nullptr;
            break;
        }
        if (mouse->button() == Qt::LeftButton && edit->rect().contains(mouse->position().toPoint()))
            TEditClick(edit);
        break;
    }
    case QEvent::MouseButtonDblClick:
        m_doubleClicked = edit;
        TEditDblClick(edit);
        return true;
    case QEvent::FocusOut: {
        // The field's own context menu, or another window coming to the
        // front, does not leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            TEditExit(edit);
        break;
    }
    case QEvent::KeyPress:
        return TEditKeyPress(edit, static_cast<QKeyEvent *>(event));
    case QEvent::KeyRelease:
        TEditKeyUp(edit);
        break;
    default:
        break;
    }
    return false;
}

bool LengthFieldHandlers::eventFilter(QObject *watched, QEvent *event)
{
    const int number = m_table.numberOf(watched);
    if (number != 0) {
        const LengthFieldTable::Row &row = m_table[number];
        if (watched == row.unit && event->type() == QEvent::MouseButtonPress)
            TButton_MouseDown(row.unit);
        else if (watched == row.edit)
            return editEvent(row.edit, event);
    }
    return QObject::eventFilter(watched, event);
}
