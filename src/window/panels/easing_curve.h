#pragma once

#include <QWidget>

#include <array>
#include <optional>

// EasingCurve: a small drawing of a transition's timing as a cubic Bézier
// curve from (0, 0) to (1, 1). Its two handles are dragged with the mouse.
class EasingCurve : public QWidget
{
    Q_OBJECT
public:
    using Points = std::array<double, 4>; // x1, y1, x2, y2

    explicit EasingCurve(QWidget *parent = nullptr);

    // Nothing for a timing the curve cannot draw (steps()): no handles then.
    void setPoints(const std::optional<Points> &points);
    std::optional<Points> points() const { return m_points; }
    // What the curve says when it has no points to draw.
    void setNote(const QString &note);
    // Where a handle is drawn, in the widget's pixels.
    QPointF handleAt(int handle) const;

    QSize sizeHint() const override { return {150, 96}; }

signals:
    void dragged(const EasingCurve::Points &points);
    void released(const EasingCurve::Points &points);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRectF plot() const;
    QPointF toPixels(double x, double y) const;

    std::optional<Points> m_points;
    QString m_note;
    int m_dragging = -1;
    bool m_moved = false;
};
