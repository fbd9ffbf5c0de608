#include "window/shell/about_box.h"

#include "core/editor/desktop_integration.h"
#include "core/preview/engine_features.h"
#include "window/shell/icon_factory.h"
#include "window/panels/panel_widgets.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace {

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

// A label that opens an address when clicked.
QLabel *makeLink(QWidget *parent, const char *name, const QString &text, const QRect &geometry, const QString &hint)
{
    QLabel *label = makeLabel(parent, name, QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()), geometry);
    label->setCursor(Qt::PointingHandCursor);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    setHint(label, hint);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(298, 222);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(8, 8, 282, 170);

    auto *icon = new QLabel(panel);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(icons::programIcon().pixmap(48, 48));
    icon->setGeometry(10, 10, 48, 48);
    QLabel *product = makeLabel(panel, "ProductName", QStringLiteral("Quillbox"), QRect(70, 10, 200, 22));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    product->setFont(big);
    makeLabel(panel, "Label1", QStringLiteral("Редактор таблиц стилей"), QRect(70, 34, 200, 16));
    makeLabel(panel, "Version", QStringLiteral("Версия 1.8  2004 г."), QRect(70, 52, 200, 16));
    makeLabel(panel, "", QStringLiteral("Автор: Tarnwell"), QRect(10, 76, 260, 16));
    const QUrl mail = mailAddress();
    QLabel *mailLabel = makeLink(panel, "Label2", mail.path().section(QLatin1Char(','), 0, 0), QRect(10, 94, 260, 16),
                                 QStringLiteral("Запуск вашей почтовой программы"));
    makeLabel(panel, "Label4", QStringLiteral("Home Page Quillbox"), QRect(10, 120, 260, 16));
    QLabel *home = makeLink(panel, "Label3", homePageAddress().toString(), QRect(10, 138, 260, 16),
                            QStringLiteral("Информация об обновлениях и сопутствующие материалы"));
    // In small type under the links, inside the box's fixed size.
    QLabel *engine = makeLabel(panel, "EngineVersion",
                               engineVersionText(QString::fromLatin1(qWebEngineChromiumVersion())),
                               QRect(10, 155, 260, 13));
    QFont small = engine->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    engine->setFont(small);
    connect(mailLabel, &QLabel::linkActivated, this, &TAboutBox::SendMail);
    connect(home, &QLabel::linkActivated, this, &TAboutBox::Label3Click);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setGeometry(111, 186, 75, 27);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TAboutBox::SendMail()
{
    QDesktopServices::openUrl(mailAddress());
}

void TAboutBox::Label3Click()
{
    QDesktopServices::openUrl(homePageAddress());
}
