// The outline of the matched elements shows on any element's colour.
#include "window/preview/outline_overlay.h"

#include <QImage>
#include <QPainter>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(OutlineOverlay, TheOutlineShowsOnLightDarkAndBlueGrounds)
{
    QWebEngineView view;
    view.resize(200, 100);
    OutlineOverlay overlay(&view);
    overlay.setGeometry(view.rect());
    const QRectF box(20, 20, 80, 40);
    for (const bool picked : {false, true}) {
        overlay.showOutlines(picked ? QList<QRectF>() : QList<QRectF>{box}, picked ? QList<QRectF>{box} : QList<QRectF>());
        for (const QColor ground : {QColor(Qt::white), QColor(0x0d, 0x6e, 0xfd), QColor(Qt::black), QColor(0, 40, 140),
                                    QColor(255, 193, 7)}) {
            QImage image(overlay.size(), QImage::Format_ARGB32);
            image.fill(ground);
            overlay.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
            // Across the top edge, below its dashes' gaps too: the line
            // that stands out most from the ground.
            int strongest = 0;
            for (const int x : {30, 33, 36, 39}) {
                for (int y = 17; y <= 26; ++y) {
                    const QColor c = image.pixelColor(x, y);
                    strongest = std::max(strongest, std::abs(c.red() - ground.red()) + std::abs(c.green() - ground.green())
                                                        + std::abs(c.blue() - ground.blue()));
                }
            }
            EXPECT_GE(strongest, 300) << (picked ? "picked on " : "matched on ") << ground.name().toStdString();
        }
    }
}

} // namespace
