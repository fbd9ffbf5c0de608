#pragma once

#include <QList>

#include <optional>

#include <QScrollArea>

class QComboBox;
class QWebEngineView;

// Holds the browser at the width chosen in `PreviewWidth`: the whole area
// ("По окну"), or a fixed width centred in it, scrolled sideways when the
// area is narrower.
class PreviewFrame : public QScrollArea
{
    Q_OBJECT
public:
    explicit PreviewFrame(QWidget *parent);

    void setView(QWebEngineView *view);
    // 0: the width of the area.
    void setPageWidth(int width);
    int pageWidth() const { return m_width; }

private:
    QWidget *m_inner = nullptr;
    QWebEngineView *m_view = nullptr;
    int m_width = 0;
};

// The items of `PreviewWidth`; the width of an item, 0 for "По окну", and
// the item of a width (the first for any width not offered).
void fillPreviewWidths(QComboBox *box);
int previewWidthOf(const QComboBox *box);
int previewWidthIndex(int width);
// After the fixed widths, those the sheet's @media conditions name; the
// width chosen stays chosen.
void setSheetWidths(QComboBox *box, const QList<int> &widths);
// Chooses a width, adding it to the box when it lacks it.
void selectPreviewWidth(QComboBox *box, int width);
// A width typed into the box: a whole number of px from 100 to 10000.
std::optional<int> typedPreviewWidth(const QString &text);
