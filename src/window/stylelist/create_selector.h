#pragma once

#include "core/stylelist/selector_builder.h"

#include <QDialog>
#include <QList>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QStackedWidget;

// The selector constructor. The caller sets ExistingSelectorList, runs the
// dialog modally and reads CreatedSelector (empty when cancelled).
class TCreateSelector : public QDialog
{
    Q_OBJECT
public:
    explicit TCreateSelector(QWidget *parent = nullptr);

    void setExistingSelectorList(const QString &list) { m_existing = list; }
    const QString &existingSelectorList() const { return m_existing; }
    const QString &createdSelector() const { return m_builder.createdSelector; }
    QLabel *labelHint() const { return m_labelHint; }

    void ListTagHTMLClick(QListWidget *list, QListWidgetItem *item);
    void ListTagHTMLDblClick();
    void ListTagHTMLMouseMove(QListWidget *list, QPoint at);
    void ComboIDChange(const QString &text);
    void ComboClassChange(const QString &text);
    void ComboExit(QComboBox *box);
    void psevdoelementClick(int row);
    void psevdoclassClick(int row);
    void OkClick();
    void CancelClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building the window.
    QWidget *buildTagPages();
    QWidget *buildDetails();
    void buildResultButtons();
    QListWidget *makeTagList(QWidget *parent, const char *name, const QStringList &items);

    void bindHandlers();
    void FormShow();
    // Shows the builder's state on the controls.
    void showState();
    void act(void (SelectorBuilder::*step)());

    SelectorBuilder m_builder;
    QString m_existing;
    QButtonGroup *m_pageTabs = nullptr;
    QStackedWidget *m_pages = nullptr;
    QList<QListWidget *> m_tagLists;
    QLineEdit *m_currentSelector = nullptr;
    QComboBox *m_comboId = nullptr;
    QComboBox *m_comboClass = nullptr;
    QListWidget *m_pseudoElement = nullptr;
    QListWidget *m_pseudoClass = nullptr;
    QListWidget *m_itog = nullptr;
    QLabel *m_labelHint = nullptr;
    QListWidget *m_tagSource = nullptr;
    QList<QAbstractButton *> m_resultButtons;
    bool m_showing = false;
};
