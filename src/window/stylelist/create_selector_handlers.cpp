// The selector constructor's handlers: each hands the gesture to the
// widget-free builder and shows its state again.
#include "window/stylelist/create_selector.h"

#include "core/stylelist/tag_catalog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

void showNames(QComboBox *box, const SelectorBuilder::NameBox &names)
{
    const QSignalBlocker block(box);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown.append(box->itemText(i));
    if (shown != names.items) {
        box->clear();
        box->addItems(names.items);
    }
    if (box->currentText() != names.text)
        box->setEditText(names.text);
}

void selectRow(QListWidget *list, int row)
{
    const QSignalBlocker block(list);
    list->setCurrentRow(row);
}

} // namespace

void TCreateSelector::bindHandlers()
{
    for (QListWidget *list : std::as_const(m_tagLists)) {
        connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem *item) { ListTagHTMLClick(list, item); });
        connect(list, &QListWidget::itemDoubleClicked, this, &TCreateSelector::ListTagHTMLDblClick);
    }
    connect(m_currentSelector, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_builder.currentSelector = text;
    });
    connect(m_comboId, &QComboBox::editTextChanged, this, &TCreateSelector::ComboIDChange);
    connect(m_comboClass, &QComboBox::editTextChanged, this, &TCreateSelector::ComboClassChange);
    // The box, not its line edit, is told when the focus leaves.
    for (QComboBox *box : {m_comboId, m_comboClass})
        box->installEventFilter(this);
    connect(m_pseudoElement, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { psevdoelementClick(m_pseudoElement->row(item)); });
    connect(m_pseudoClass, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { psevdoclassClick(m_pseudoClass->row(item)); });
    connect(m_itog, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_showing)
            m_builder.selectedLine = row;
    });

    void (SelectorBuilder::*const steps[])() = {
        &SelectorBuilder::AddElementClick,   &SelectorBuilder::AddPotomokClick, &SelectorBuilder::AddSosedClick,
        &SelectorBuilder::SpeedButton1Click, &SelectorBuilder::SpeedButton2Click, &SelectorBuilder::DelClick,
        &SelectorBuilder::DelPotomokClick,   &SelectorBuilder::DelSosedClick,
    };
    for (int i = 0; i < m_resultButtons.size(); ++i)
        connect(m_resultButtons[i], &QAbstractButton::clicked, this, [this, step = steps[i]] { act(step); });
}

void TCreateSelector::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
    if (QWidget *owner = parentWidget()) {
        const QRect area = owner->window()->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TCreateSelector::FormShow()
{
    m_builder.FormShow(m_existing);
    selectRow(m_tagLists.first(), 0);
    showState();
}

void TCreateSelector::showState()
{
    m_showing = true;
    if (m_currentSelector->text() != m_builder.currentSelector)
        m_currentSelector->setText(m_builder.currentSelector);
    showNames(m_comboId, m_builder.ids);
    showNames(m_comboClass, m_builder.classes);
    selectRow(m_pseudoElement, m_builder.pseudoElement);
    selectRow(m_pseudoClass, m_builder.pseudoClass);
    m_pseudoClass->setEnabled(m_builder.pseudoClassEnabled);
    QStringList shown;
    for (int i = 0; i < m_itog->count(); ++i)
        shown.append(m_itog->item(i)->text());
    if (shown != m_builder.itog) {
        m_itog->clear();
        m_itog->addItems(m_builder.itog);
    }
    m_itog->setCurrentRow(m_builder.selectedLine);
    m_showing = false;
}

void TCreateSelector::act(void (SelectorBuilder::*step)())
{
    (m_builder.*step)();
    showState();
}

void TCreateSelector::ListTagHTMLClick(QListWidget *, QListWidgetItem *item)
{
    m_builder.tagClicked(item->text());
    showState();
}

void TCreateSelector::ListTagHTMLDblClick()
{
    act(&SelectorBuilder::AddElementClick);
}

void TCreateSelector::ListTagHTMLMouseMove(QListWidget *list, QPoint at)
{
    QListWidgetItem *item = list->itemAt(at);
    if (!item)
        return;
    list->setFocus(Qt::MouseFocusReason);
    selectRow(list, list->row(item));
    QStringList source;
    for (int i = 0; i < m_tagSource->count(); ++i)
        source.append(m_tagSource->item(i)->text());
    m_labelHint->setText(QStringLiteral("Назначение тега в HTML: ") + tags::describe(source, item->text()));
}

void TCreateSelector::ComboIDChange(const QString &text)
{
    if (m_showing)
        return;
    m_builder.idChanged(text);
    showState();
}

void TCreateSelector::ComboClassChange(const QString &text)
{
    if (m_showing)
        return;
    m_builder.classChanged(text);
    showState();
}

void TCreateSelector::ComboExit(QComboBox *box)
{
    SelectorBuilder::comboExit(box == m_comboId ? m_builder.ids : m_builder.classes);
    showState();
}

void TCreateSelector::psevdoelementClick(int row)
{
    m_builder.pseudoElementClicked(row);
    showState();
}

void TCreateSelector::psevdoclassClick(int row)
{
    m_builder.pseudoClassClicked(row);
    showState();
}

void TCreateSelector::OkClick()
{
    m_builder.currentSelector = m_currentSelector->text();
    m_builder.OkClick();
    accept();
}

void TCreateSelector::CancelClick()
{
    m_builder.createdSelector.clear();
    reject();
}

bool TCreateSelector::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        for (QListWidget *list : std::as_const(m_tagLists)) {
            if (watched == list->viewport())
                ListTagHTMLMouseMove(list, static_cast<QMouseEvent *>(event)->position().toPoint());
        }
    } else if (event->type() == QEvent::FocusOut) {
        if (watched == m_comboId)
            ComboExit(m_comboId);
        else if (watched == m_comboClass)
            ComboExit(m_comboClass);
    }
    return QDialog::eventFilter(watched, event);
}
