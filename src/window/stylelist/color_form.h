#pragma once

#include <QColor>
#include <QDialog>

class QColorDialog;
class QFrame;
class QLabel;
class QToolButton;
class PaletteImage;

// The colour picker. The caller sets StartColor, runs it modally and reads
// ChosenColor: 0xRRGGBB, or -1 when the user closed it without a choice.
class TColorForm : public QDialog
{
    Q_OBJECT
public:
    explicit TColorForm(QWidget *parent = nullptr);

    void setStartColor(const QColor &color) { m_startColor = color; }
    QColor startColor() const { return m_startColor; }
    int chosenColor() const { return m_chosenColor; }
    // The colour the picker shows now: the start colour or the last one
    // the pointer passed over.
    QColor previewColor() const { return m_preview; }

    void Image1MouseMove(QPoint at);
    void Image1Click();
    void DLClick();
    void ResColorClick() { DLClick(); }
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void setPreview(const QColor &color);
    void choose(const QColor &color);

    PaletteImage *m_image;
    QToolButton *m_dl;
    QFrame *m_resColor;
    QLabel *m_resColorHex;
    QColorDialog *m_colorDialog;
    QColor m_startColor = Qt::black;
    QColor m_preview = Qt::black;
    int m_chosenColor = -1;
};
