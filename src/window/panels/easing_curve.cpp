#include "window/panels/easing_curve.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// The curve may overshoot: y is drawn from -0.25 to 1.25.
constexpr double kLow = -0.25, kHigh = 1.25;
constexpr qreal kGrab = 8;

} // namespace

EasingCurve::EasingCurve(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("EasingCurve"));
    setAccessibleName(QStringLiteral("Кривая перехода"));
    setMinimumSize(120, 80);
    setMouseTracking(false);
}

void EasingCurve::setPoints(const std::optional<Points> &points)
{
    if (m_dragging >= 0)
        return;
    m_points = points;
    update();
}

void EasingCurve::setNote(const QString &note)
{
    if (note == m_note)
        return;
    m_note = note;
    update();
}

QRectF EasingCurve::plot() const
{
    return QRectF(rect()).adjusted(8, 6, -8, -6);
}

QPointF EasingCurve::toPixels(double x, double y) const
{
    const QRectF r = plot();
    return {r.left() + x * r.width(), r.bottom() - (y - kLow) / (kHigh - kLow) * r.height()};
}

QPointF EasingCurve::handleAt(int handle) const
{
    if (!m_points)
        return {};
    return toPixels((*m_points)[handle * 2], (*m_points)[handle * 2 + 1]);
}

void EasingCurve::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    const QPointF start = toPixels(0, 0), end = toPixels(1, 1);
    p.setPen(QPen(palette().mid().color(), 1, Qt::DotLine));
    p.drawLine(toPixels(0, 0), toPixels(1, 0));
    p.drawLine(toPixels(0, 1), toPixels(1, 1));
    if (!m_points) {
        p.setPen(palette().placeholderText().color());
        p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_note);
        return;
    }
    const QPointF a = handleAt(0), b = handleAt(1);
    p.setPen(QPen(palette().mid().color(), 1));
    p.drawLine(start, a);
    p.drawLine(end, b);
    QPainterPath curve(start);
    curve.cubicTo(a, b, end);
    p.setPen(QPen(isEnabled() ? palette().highlight().color() : palette().mid().color(), 2));
    p.drawPath(curve);
    p.setPen(QPen(palette().text().color(), 1));
    p.setBrush(isEnabled() ? palette().highlight() : palette().mid());
    for (const QPointF &h : {a, b})
        p.drawEllipse(h, 4, 4);
}

void EasingCurve::mousePressEvent(QMouseEvent *event)
{
    if (!m_points || event->button() != Qt::LeftButton)
        return;
    const QPointF at = event->position();
    for (int h : {1, 0}) {
        if (QLineF(at, handleAt(h)).length() <= kGrab) {
            m_dragging = h;
            m_moved = false;
            return;
        }
    }
}

void EasingCurve::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging < 0 || !m_points)
        return;
    const QRectF r = plot();
    const QPointF at = event->position();
    const double x = std::clamp((at.x() - r.left()) / r.width(), 0.0, 1.0);
    const double y = std::clamp(kLow + (r.bottom() - at.y()) / r.height() * (kHigh - kLow), kLow, kHigh);
    // Two decimals, as the value is written.
    (*m_points)[m_dragging * 2] = std::round(x * 100) / 100;
    (*m_points)[m_dragging * 2 + 1] = std::round(y * 100) / 100;
    m_moved = true;
    update();
    emit dragged(*m_points);
}

void EasingCurve::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging < 0 || event->button() != Qt::LeftButton)
        return;
    m_dragging = -1;
    if (m_moved && m_points)
        emit released(*m_points);
}
