#include "window/stylelist/color_form.h"

#include "core/stylelist/color_palette.h"
#include "window/panels/panel_widgets.h"

#include <QColorDialog>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

// The palette bitmap at the top-left corner of its image control.
class PaletteImage : public QWidget
{
public:
    explicit PaletteImage(QWidget *parent)
        : QWidget(parent)
        , m_bitmap(palette::kSize, QImage::Format_RGB888)
    {
        for (int y = 0; y < m_bitmap.height(); ++y) {
            for (int x = 0; x < m_bitmap.width(); ++x) {
                const Rgb c = palette::pixelColor(x, y);
                m_bitmap.setPixelColor(x, y, QColor(c.r, c.g, c.b));
            }
        }
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
    }

    const QImage &bitmap() const { return m_bitmap; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, m_bitmap);
    }

private:
    QImage m_bitmap;
};

namespace {

QIcon exactChoiceIcon()
{
    // A little rainbow wheel: the full colour dialog behind the button.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QConicalGradient wheel(8, 8, 0);
    for (int i = 0; i <= 6; ++i)
        wheel.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 255, 255));
    painter.setBrush(wheel);
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(6, 6, 4, 4));
    return QIcon(pixmap);
}

void paintPanel(QWidget *panel, const QColor &color)
{
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, color);
    panel->setPalette(pal);
}

} // namespace

TColorForm::TColorForm(QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("ColorForm"));
    setWindowTitle(QStringLiteral("Выбор цвета"));
    setModal(true);
    setFixedSize(214, 222);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Panel1"));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setGeometry(2, 2, 210, 192);
    m_image = new PaletteImage(frame);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setAccessibleName(QStringLiteral("Палитра"));
    m_image->setGeometry(6, 6, 200, 182);
    m_image->installEventFilter(this);

    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("SpeedButton1"));
    close->setText(QStringLiteral("X"));
    QFont bold = close->font();
    bold.setBold(true);
    close->setFont(bold);
    close->setAutoRaise(true);
    close->setGeometry(3, 197, 20, 23);
    setHint(close, QStringLiteral("Закрыть без изменений"));
    connect(close, &QToolButton::clicked, this, &TColorForm::SpeedButton1Click);

    m_resColorHex = new QLabel(QStringLiteral("#00000"), this);
    m_resColorHex->setObjectName(QStringLiteral("ResColorHex"));
    m_resColorHex->setAlignment(Qt::AlignCenter);
    m_resColorHex->setGeometry(24, 198, 52, 21);

    m_dl = new QToolButton(this);
    m_dl->setObjectName(QStringLiteral("DL"));
    m_dl->setIcon(exactChoiceIcon());
    m_dl->setAutoRaise(true);
    m_dl->setGeometry(77, 198, 31, 21);
    setHint(m_dl, QStringLiteral("Точный подбор цвета"));
    connect(m_dl, &QToolButton::clicked, this, &TColorForm::DLClick);

    m_resColor = new QFrame(this);
    m_resColor->setObjectName(QStringLiteral("ResColor"));
    m_resColor->setFrameShape(QFrame::Panel);
    m_resColor->setFrameShadow(QFrame::Sunken);
    m_resColor->setAutoFillBackground(true);
    m_resColor->setGeometry(111, 198, 100, 21);
    m_resColor->setCursor(Qt::PointingHandCursor);
    setHint(m_resColor, QStringLiteral("Точный подбор цвета"));
    m_resColor->installEventFilter(this);

    // One dialog for the whole run, so it keeps the user's custom colours.
    m_colorDialog = new QColorDialog(this);
    m_colorDialog->setObjectName(QStringLiteral("ColorDialog"));
    m_colorDialog->setOption(QColorDialog::ShowAlphaChannel, false);
    m_colorDialog->setWindowTitle(QStringLiteral("Точный подбор цвета"));
}

void TColorForm::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TColorForm::FormShow()
{
    const QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
    const QSize outer = frameGeometry().size().expandedTo(size());
    move(palette::pickerPosition(QCursor::pos(), m_dl->pos(), outer, area));
    m_chosenColor = -1;
    setPreview(m_startColor);
}

void TColorForm::setPreview(const QColor &color)
{
    m_preview = color;
    paintPanel(m_resColor, color);
    const QString hex = QString::fromLatin1(
        palette::hexText({quint8(color.red()), quint8(color.green()), quint8(color.blue())}));
    m_resColorHex->setText(hex);
    // The palette says the colour it shows now.
    m_image->setAccessibleName(QStringLiteral("Палитра: ") + hex);
}

void TColorForm::Image1MouseMove(QPoint at)
{
    QColor color = m_preview;
    if (palette::previewsAt(at.x(), at.y()))
        color = m_image->bitmap().pixelColor(at);
    setPreview(color);
}

void TColorForm::Image1Click()
{
    choose(m_preview);
}

void TColorForm::DLClick()
{
    m_colorDialog->setCurrentColor(m_preview);
    if (m_colorDialog->exec() == QDialog::Accepted)
        choose(m_colorDialog->currentColor());
}

void TColorForm::SpeedButton1Click()
{
    m_chosenColor = -1;
    reject();
}

void TColorForm::choose(const QColor &color)
{
    m_chosenColor = int(color.rgb() & 0xFFFFFF);
    accept();
}

bool TColorForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_image) {
        // Only mouse events are read as such: the image gets others too.
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
            Image1MouseMove(static_cast<QMouseEvent *>(event)->position().toPoint());
            break;
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton && m_image->rect().contains(mouse->position().toPoint()))
                Image1Click();
            break;
        }
        default:
            break;
        }
    } else if (watched == m_resColor && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_resColor->rect().contains(mouse->position().toPoint()))
            ResColorClick();
    }
    return QDialog::eventFilter(watched, event);
}
