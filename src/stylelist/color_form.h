#pragma once

#include <QColor>
#include <QDialog>

// The colour picker. The caller sets StartColor, runs it modally and reads
// ChosenColor; an invalid colour means no choice.
class TColorForm : public QDialog
{
    Q_OBJECT
public:
    explicit TColorForm(QWidget *parent = nullptr);

    void setStartColor(const QColor &color) { m_startColor = color; }
    QColor chosenColor() const { return m_chosenColor; }

private:
    QColor m_startColor;
    QColor m_chosenColor;
};
