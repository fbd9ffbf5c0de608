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

void DrawnIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, render(rect.size() * ratio, mode, ratio));
}

QPixmap DrawnIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State)
{
    return render(size, mode, 1.0);
}

QPixmap DrawnIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // QIcon asks in device-independent pixels, with the scale to apply.
    return render(size * scale, mode, scale);
#else
    // QIcon asks in device pixels already.
    return render(size, mode, scale);
#endif
}

QList<QSize> DrawnIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    return {QSize(16, 16), QSize(22, 22), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
}

QPixmap DrawnIconEngine::render(const QSize &pixels, QIcon::Mode mode, qreal ratio) const
{
    QPixmap pixmap(pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels.width() / 16.0, pixels.height() / 16.0);
    m_paint(painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
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
