#pragma once

#include <QFrame>

class QToolButton;

// Z_Select: the floating panel of the units (the nine classic ones, then
// rem, vw and vh), cancel and no unit.
class UnitChooser : public QFrame
{
    Q_OBJECT
public:
    explicit UnitChooser(QWidget *parent);

    QToolButton *unitButton(int number) const; // Z_1 .. Z_9
    // Every unit's button, Z_1 .. Z_9 and Z_rem, Z_vw, Z_vh.
    const QList<QToolButton *> &unitButtons() const { return m_units; }
    QToolButton *cancelButton() const { return m_cancel; }
    QToolButton *offButton() const { return m_off; }

private:
    QList<QToolButton *> m_units;
    QToolButton *m_cancel = nullptr;
    QToolButton *m_off = nullptr;
};
