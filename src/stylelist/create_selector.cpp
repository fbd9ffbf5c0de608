#include "create_selector.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TCreateSelector::TCreateSelector(QWidget *parent)
    : QDialog(parent)
    , m_currentSelector(new QLineEdit(this))
    , m_labelHint(new QLabel(this))
{
    setObjectName(QStringLiteral("CreateSelector"));
    setWindowTitle(QStringLiteral("Конструктор селектора"));
    setModal(true);
    m_currentSelector->setObjectName(QStringLiteral("CurrentSelector"));
    m_labelHint->setObjectName(QStringLiteral("LabelHint"));
    m_labelHint->setWordWrap(true);

    auto *ok = new QPushButton(QStringLiteral("Готово"), this);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(ok, &QPushButton::clicked, this, &TCreateSelector::OkClick);
    connect(cancel, &QPushButton::clicked, this, &TCreateSelector::CancelClick);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Селектор нового стиля:"), this));
    layout->addWidget(m_currentSelector);
    layout->addWidget(m_labelHint);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(360, 140);
}

void TCreateSelector::showEvent(QShowEvent *event)
{
    m_created.clear();
    m_currentSelector->clear();
    m_currentSelector->setFocus();
    QDialog::showEvent(event);
}

void TCreateSelector::OkClick()
{
    m_created = m_currentSelector->text();
    accept();
}

void TCreateSelector::CancelClick()
{
    m_created.clear();
    reject();
}
