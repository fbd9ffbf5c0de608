#pragma once

#include <QIconEngine>

#include <functional>

// An icon painted at whatever size and pixel ratio it is asked for: the
// picture is drawn in a 16-unit square, so it is as sharp at 2x or 3x as
// at 1x, the way an SVG icon is.
class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(std::function<void(QPainter &)> paint);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QIconEngine *clone() const override;
    QString key() const override { return QStringLiteral("quillbox-drawn"); }
    // Drawn at any size: these are only the sizes a caller may ask about.
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    bool isNull() override { return false; }
#endif

private:
    // The picture in a pixmap of so many device pixels, for that ratio.
    QPixmap render(const QSize &pixels, QIcon::Mode mode, qreal ratio) const;

    std::function<void(QPainter &)> m_paint;
};
