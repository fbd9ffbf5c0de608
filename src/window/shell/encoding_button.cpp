#include "window/shell/encoding_button.h"

#include <QActionGroup>
#include <QMenu>

EncodingButton::EncodingButton(QWidget *parent)
    : QToolButton(parent)
{
    setAutoRaise(true);
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setFocusPolicy(Qt::NoFocus);
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("EncodingMenu"));
    menu->setAccessibleName(QStringLiteral("Кодировка"));
    menu->setTitle(QStringLiteral("Кодировка"));
    auto *group = new QActionGroup(menu);
    m_utf8 = menu->addAction(encodingName(SheetEncoding::Utf8));
    m_cp1251 = menu->addAction(encodingName(SheetEncoding::Windows1251));
    for (QAction *action : {m_utf8, m_cp1251}) {
        action->setCheckable(true);
        group->addAction(action);
    }
    connect(m_utf8, &QAction::triggered, this, [this] { emit chosen(SheetEncoding::Utf8); });
    connect(m_cp1251, &QAction::triggered, this, [this] { emit chosen(SheetEncoding::Windows1251); });
    setMenu(menu);
}

void EncodingButton::showEncoding(SheetEncoding encoding)
{
    setText(encodingName(encoding));
    setAccessibleName(QStringLiteral("Кодировка: ") + text());
    (encoding == SheetEncoding::Utf8 ? m_utf8 : m_cp1251)->setChecked(true);
}
