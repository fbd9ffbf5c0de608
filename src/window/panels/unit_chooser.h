#pragma once

#include <QFrame>

class QToolButton;

// Z_Select: the floating panel of the nine units, cancel and no unit.
class UnitChooser : public QFrame
{
    Q_OBJECT
public:
    explicit UnitChooser(QWidget *parent);

    QToolButton *unitButton(int number) const; // Z_1 .. Z_9
    QToolButton *cancelButton() const { return m_cancel; }
    QToolButton *offButton() const { return m_off; }

private:
    QList<QToolButton *> m_units;
    QToolButton *m_cancel = nullptr;
    QToolButton *m_off = nullptr;
};
