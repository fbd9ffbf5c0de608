#include "window/shell/icon_factory.h"

#include "window/shell/desktop_colours.h"
#include "window/shell/drawn_icon_engine.h"

#include <QApplication>

#include <QDir>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>

namespace icons {
namespace {

} // namespace

QColor ink()
{
    return desktop_colours::ink(QApplication::palette());
}

QIcon drawn(const std::function<void(QPainter &)> &paint)
{
    return QIcon(new DrawnIconEngine(paint));
}

QIcon glyph(const QString &text, bool bold, bool italic)
{
    return drawn([text, bold, italic](QPainter &p) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(text.size() <= 1 ? 13 : (text.size() == 2 ? 9 : 6));
        font.setBold(bold || text.size() <= 2);
        font.setItalic(italic);
        p.setFont(font);
        p.setPen(ink());
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
    });
}

QIcon themed(const char *themeName, const QString &glyphText)
{
    QString name = QString::fromLatin1(themeName);
    // Themes of today (Adwaita 46 and later) keep many names only in their
    // one-colour form.
    if (!name.isEmpty() && !QIcon::hasThemeIcon(name) && QIcon::hasThemeIcon(name + QStringLiteral("-symbolic")))
        name += QStringLiteral("-symbolic");
    if (name.isEmpty() || !QIcon::hasThemeIcon(name))
        return glyph(glyphText);
    // The theme's own lookup takes the nearest size, so at 2x a 16-pixel
    // button gets a 24-pixel picture stretched to 32. Holding every size
    // the theme has lets the larger picture be scaled down instead.
    const QIcon theme = QIcon::fromTheme(name);
    // One-colour icons are drawings, sharp at any size as they are.
    if (name.endsWith(QLatin1String("-symbolic")))
        return theme;
    QIcon icon;
    for (const QSize &size : theme.availableSizes())
        icon.addPixmap(theme.pixmap(size));
    return icon.isNull() ? theme : icon;
}

QIcon textAlign(Align align)
{
    return drawn([align](QPainter &p) {
        p.setPen(QPen(ink(), 1.4));
        const int widths[] = {12, 8, 12, 6};
        for (int i = 0; i < 4; ++i) {
            const qreal y = 3.5 + i * 3;
            const qreal w = align == Align::Justify ? 12 : widths[i];
            qreal x = 2;
            if (align == Align::Center)
                x = 8 - w / 2;
            else if (align == Align::Right)
                x = 14 - w;
            p.drawLine(QPointF(x, y), QPointF(x + w, y));
        }
    });
}

QIcon borderStyle(const QString &style)
{
    return drawn([style](QPainter &p) {
        const QRectF box(2.5, 2.5, 11, 11);
        if (style == QLatin1String("none")) {
            p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
            p.drawRect(box);
            p.setPen(QPen(Qt::red, 1.2));
            p.drawLine(QPointF(3, 13), QPointF(13, 3));
            return;
        }
        if (style == QLatin1String("double")) {
            p.setPen(QPen(ink(), 1));
            p.drawRect(box);
            p.drawRect(box.adjusted(2.5, 2.5, -2.5, -2.5));
            return;
        }
        if (style == QLatin1String("outset") || style == QLatin1String("inset")
            || style == QLatin1String("ridge") || style == QLatin1String("groove")) {
            const bool raised = style == QLatin1String("outset") || style == QLatin1String("ridge");
            const QColor light(0xf0, 0xf0, 0xf0), dark(0x50, 0x50, 0x50);
            p.setPen(QPen(raised ? light : dark, 2));
            p.drawLine(box.topLeft(), box.topRight());
            p.drawLine(box.topLeft(), box.bottomLeft());
            p.setPen(QPen(raised ? dark : light, 2));
            p.drawLine(box.bottomLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomRight());
            if (style == QLatin1String("ridge") || style == QLatin1String("groove")) {
                p.setPen(QPen(Qt::gray, 1));
                p.drawRect(box.adjusted(3, 3, -3, -3));
            }
            return;
        }
        Qt::PenStyle pen = Qt::SolidLine;
        if (style == QLatin1String("dotted"))
            pen = Qt::DotLine;
        else if (style == QLatin1String("dashed"))
            pen = Qt::DashLine;
        p.setPen(QPen(ink(), 1.4, pen));
        p.drawRect(box);
    });
}

QIcon position(int row, int column)
{
    return drawn([row, column](QPainter &p) {
        p.setPen(QPen(Qt::gray, 1));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(ink());
        p.drawEllipse(QPointF(4.5 + column * 3.5, 4.5 + row * 3.5), 2, 2);
    });
}

QIcon programIcon()
{
    // The same picture the installed desktop entry shows.
    return QIcon(QStringLiteral(":/quillbox.svg"));
}

void chooseIconTheme()
{
    // Some platforms (the offscreen one among them) look for themes in no
    // system folder at all.
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString &dir : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                        QStandardPaths::LocateDirectory)) {
        if (!paths.contains(dir))
            paths.append(dir);
    }
    QIcon::setThemeSearchPaths(paths);

    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor"))
        return;
    const QStringList dirs =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons/Adwaita"),
                                  QStandardPaths::LocateDirectory);
    if (!dirs.isEmpty())
        QIcon::setThemeName(QStringLiteral("Adwaita"));
}

} // namespace icons
