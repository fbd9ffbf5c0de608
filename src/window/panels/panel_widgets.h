#pragma once

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QString>
#include <QWidget>

class QIcon;
class QLineEdit;
class QToolButton;

// The font of the property panels and the style tool bars.
QFont panelFont();

// Sets the tooltip (short part) and status tip (long part) of a hint.
void setHint(QWidget *widget, const QString &hint);
// A hint's short part as a screen reader says it: no trailing colon or blank.
QString spokenName(const QString &hint);

// An up-down stepper: two small arrow buttons with a position of its own
// in a range, without wrap-around.
class UpDown : public QWidget
{
    Q_OBJECT
public:
    explicit UpDown(QWidget *parent = nullptr);

    int position() const { return m_position; }
    void setPosition(int position) { m_position = position; }
    int minimum() const { return -10000; }
    int maximum() const { return 10000; }

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

signals:
    // One step, or one auto-repeat while held; up is true for the upper half.
    void stepped(bool up);
    // The mouse was released over the stepper, after the step it took.
    void released();

private:
    void step(bool up);

    QToolButton *m_up;
    QToolButton *m_down;
    int m_position = 0;
};

// A flat panel painted in the colour it holds.
class ColorSwatch : public QFrame
{
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    // The value the rule gives, where it is not plain ("var(--brand)"): the
    // tooltip adds it, with the colour it stands for, to the hint.
    void setWrittenAs(const QString &value);

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void updateToolTip();

    QColor m_color;
    QString m_hint;
    QString m_writtenAs;
    bool m_hintTaken = false;
};

// A check box whose caption is a path: a long one is shortened in the
// middle to the width the box has, instead of widening the page.
class PathCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override { return minimumSizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The edit, stepper and unit button of one length field.
struct LengthField {
    QWidget *container = nullptr;
    QLineEdit *edit = nullptr;
    UpDown *upDown = nullptr;
    QToolButton *unit = nullptr;
};

// name is the edit's name; the stepper is name + "UpDown", the unit button
// name + "_". Fields start empty, not in use, with the unit "px".
LengthField makeLengthField(QWidget *parent, const QString &name, const QString &editHint = {},
                            const QString &stepperHint = {});

// The names a screen reader says for the field, its stepper and its unit
// button: "Отступ границ от края блока: Сверху", "… — единица".
void nameLengthField(const LengthField &field, const QString &name);

// The unit button alone, as the font-size box has it.
QToolButton *makeUnitButton(QWidget *parent, const QString &name);

// A flat toggle button of an option group.
QToolButton *makeToggle(QWidget *parent, const QString &name, const QString &hint, const QIcon &icon);

// The in-use state of an edit or combo box is its background: white in use,
// the button face not.
void setInUse(QWidget *widget, bool inUse);

// The boxes and sliders under `root` leave the mouse wheel to the page that
// scrolls them until they have the focus: scrolling a page past a box must
// not change the box.
void leaveWheelToPage(QWidget *root);
bool isInUse(const QWidget *widget);
