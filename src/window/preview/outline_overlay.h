#pragma once

#include <QList>
#include <QRectF>
#include <QWidget>

class QWebEngineView;

// A transparent layer over the web view on which the matched elements and
// the one under the pointer while picking are outlined. The page itself is
// never touched: its elements and styles stay exactly its own. The layer
// takes no mouse and no focus.
class OutlineOverlay : public QWidget
{
    Q_OBJECT
public:
    explicit OutlineOverlay(QWebEngineView *view);

    // Boxes in the page's CSS pixels from the top left of its viewport.
    void showOutlines(const QList<QRectF> &matches, const QList<QRectF> &picked);
    const QList<QRectF> &matches() const { return m_matches; }
    const QList<QRectF> &picked() const { return m_picked; }
    // The tracks of grid containers or the items of flex ones, and the gaps.
    void showLayout(const QList<QRectF> &tracks, const QList<QRectF> &gaps);
    const QList<QRectF> &tracks() const { return m_tracks; }
    const QList<QRectF> &gaps() const { return m_gaps; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QWebEngineView *m_view;
    QList<QRectF> m_matches;
    QList<QRectF> m_picked;
    QList<QRectF> m_tracks;
    QList<QRectF> m_gaps;
};
