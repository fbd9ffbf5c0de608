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

void OutlineOverlay::showLayout(const QList<QRectF> &tracks, const QList<QRectF> &gaps)
{
    if (tracks == m_tracks && gaps == m_gaps)
        return;
    m_tracks = tracks;
    m_gaps = gaps;
    showOutlines(m_matches, m_picked);
}

void OutlineOverlay::showOutlines(const QList<QRectF> &matches, const QList<QRectF> &picked)
{
    m_matches = matches;
    m_picked = picked;
    setVisible(!m_matches.isEmpty() || !m_picked.isEmpty() || !m_tracks.isEmpty() || !m_gaps.isEmpty());
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
    // A light line and a dark one side by side: one of them shows on any
    // element's colour, a blue button's or a white page's.
    auto draw = [&](const QList<QRectF> &boxes, const QColor &dark, Qt::PenStyle style) {
        painter.setBrush(Qt::NoBrush);
        for (const QRectF &box : boxes) {
            const QRectF shown(box.x() * zoom, box.y() * zoom, box.width() * zoom, box.height() * zoom);
            // The lines lie inside the box, as an outline of the element.
            const struct {
                QColor colour;
                qreal inset;
                Qt::PenStyle style;
            } lines[] = {{QColor(255, 255, 255, 235), 0.5, Qt::SolidLine}, {dark, 1.5, style},
                         {QColor(255, 255, 255, 235), 2.5, Qt::SolidLine}};
            for (const auto &line : lines) {
                QPen pen(line.colour, 1, line.style);
                pen.setCosmetic(true);
                painter.setPen(pen);
                painter.drawRect(shown.adjusted(line.inset, line.inset, -line.inset, -line.inset));
            }
        }
    };
    // Gaps hatched, tracks dashed, in a violet no outline uses.
    auto shown = [zoom](const QRectF &r) { return QRectF(r.x() * zoom, r.y() * zoom, r.width() * zoom, r.height() * zoom); };
    for (const QRectF &gap : std::as_const(m_gaps))
        painter.fillRect(shown(gap), QBrush(QColor(150, 40, 200, 110), Qt::BDiagPattern));
    QPen trackPen(QColor(150, 40, 200, 230), 1, Qt::DashLine);
    trackPen.setCosmetic(true);
    painter.setPen(trackPen);
    painter.setBrush(Qt::NoBrush);
    for (const QRectF &track : std::as_const(m_tracks))
        painter.drawRect(shown(track).adjusted(0.5, 0.5, -0.5, -0.5));
    draw(m_matches, QColor(0, 40, 140, 250), Qt::SolidLine);
    draw(m_picked, QColor(110, 30, 0, 250), Qt::DashLine);
}
