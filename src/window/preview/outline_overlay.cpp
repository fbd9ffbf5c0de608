#include "window/preview/outline_overlay.h"

#include <QEvent>
#include <QPainter>
#include <QWebEngineView>

OutlineOverlay::OutlineOverlay(QWebEngineView *view)
    : QWidget(view)
    , m_view(view)
{
    setObjectName(QStringLiteral("PreviewOutlines"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    view->installEventFilter(this);
    setGeometry(view->rect());
    hide();
}

void OutlineOverlay::showOutlines(const QList<QRectF> &matches, const QList<QRectF> &picked)
{
    m_matches = matches;
    m_picked = picked;
    setVisible(!m_matches.isEmpty() || !m_picked.isEmpty());
    if (isVisible()) {
        // The view makes a surface of its own when its page changes; the
        // layer stays above it.
        raise();
        update();
    }
}

bool OutlineOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)) {
        setGeometry(m_view->rect());
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

void OutlineOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // CSS pixels are the view's own at zoom 1.
    const qreal zoom = m_view->zoomFactor();
    auto draw = [&](const QList<QRectF> &boxes, const QColor &colour, Qt::PenStyle style) {
        QPen pen(colour, 2, style);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        for (const QRectF &box : boxes) {
            const QRectF shown(box.x() * zoom, box.y() * zoom, box.width() * zoom, box.height() * zoom);
            // The line lies inside the box, as an outline of the element.
            painter.drawRect(shown.adjusted(1, 1, -1, -1));
        }
    };
    draw(m_matches, QColor(0, 102, 255, 230), Qt::SolidLine);
    draw(m_picked, QColor(230, 80, 0, 240), Qt::DashLine);
}
