#include "window/shell/drawn_icon_engine.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

DrawnIconEngine::DrawnIconEngine(std::function<void(QPainter &)> paint)
    : m_paint(std::move(paint))
{
}

void DrawnIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, ratio));
}

QPixmap DrawnIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return scaledPixmap(size, mode, state, 1.0);
}

QPixmap DrawnIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale)
{
    // `size` is in device pixels already when QIcon asks for a scale.
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size.width() / 16.0, size.height() / 16.0);
    m_paint(painter);
    painter.end();
    pixmap.setDevicePixelRatio(scale);
    if (mode == QIcon::Normal || mode == QIcon::Active || !qApp)
        return pixmap;
    // Disabled and selected look as the style makes them for any icon.
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
}

QIconEngine *DrawnIconEngine::clone() const
{
    return new DrawnIconEngine(m_paint);
}
