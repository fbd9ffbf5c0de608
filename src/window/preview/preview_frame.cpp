#include "window/preview/preview_frame.h"

#include <QSignalBlocker>

#include <QComboBox>
#include <QHBoxLayout>
#include <QWebEngineView>

namespace {

const int kWidths[] = {320, 375, 768, 1024, 1280, 1440};

} // namespace

PreviewFrame::PreviewFrame(QWidget *parent)
    : QScrollArea(parent)
{
    setAccessibleName(QStringLiteral("Область страницы"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The grey beside a narrow page shows where the page ends.
    setBackgroundRole(QPalette::Mid);
    m_inner = new QWidget(this);
    m_inner->setBackgroundRole(QPalette::Mid);
    auto *row = new QHBoxLayout(m_inner);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    setWidget(m_inner);
}

void PreviewFrame::setView(QWebEngineView *view)
{
    m_view = view;
    auto *row = static_cast<QHBoxLayout *>(m_inner->layout());
    row->addStretch(0);
    row->addWidget(view, 1);
    row->addStretch(0);
    setMinimumHeight(view->minimumHeight());
}

void PreviewFrame::setPageWidth(int width)
{
    m_width = width;
    auto *row = static_cast<QHBoxLayout *>(m_inner->layout());
    if (width > 0) {
        m_view->setFixedWidth(width);
        row->setStretch(0, 1);
        row->setStretch(2, 1);
    } else {
        m_view->setMinimumWidth(0);
        m_view->setMaximumWidth(QWIDGETSIZE_MAX);
        row->setStretch(0, 0);
        row->setStretch(2, 0);
    }
}

void fillPreviewWidths(QComboBox *box)
{
    box->addItem(QStringLiteral("По окну"), 0);
    for (const int width : kWidths)
        box->addItem(QString::number(width), width);
}

int previewWidthOf(const QComboBox *box)
{
    return box->currentData().toInt();
}

int previewWidthIndex(int width)
{
    for (size_t i = 0; i < std::size(kWidths); ++i) {
        if (kWidths[i] == width)
            return int(i) + 1;
    }
    return 0;
}

void setSheetWidths(QComboBox *box, const QList<int> &widths)
{
    const int chosen = previewWidthOf(box);
    const QSignalBlocker quiet(box);
    const int fixed = int(std::size(kWidths)) + 1;
    while (box->count() > fixed)
        box->removeItem(box->count() - 1);
    for (const int width : widths) {
        if (box->findData(width) < 0)
            box->addItem(QString::number(width), width);
    }
    selectPreviewWidth(box, chosen);
}

void selectPreviewWidth(QComboBox *box, int width)
{
    int index = box->findData(width);
    if (index < 0) {
        box->addItem(QString::number(width), width);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

std::optional<int> typedPreviewWidth(const QString &text)
{
    QString digits = text.trimmed();
    if (digits.endsWith(QLatin1String("px"), Qt::CaseInsensitive))
        digits.chop(2);
    bool ok = false;
    const int width = digits.trimmed().toInt(&ok);
    if (!ok || width < 100 || width > 10000)
        return std::nullopt;
    return width;
}
