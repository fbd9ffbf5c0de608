// The window's edge services: integration with the desktop, the letter to
// the author, the home page and the about box.
#include "window/shell/main_form.h"

#include "window/shell/about_box.h"
#include "core/editor/desktop_integration.h"
#include "window/shell/icon_factory.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QStandardPaths>

namespace {

QByteArray programIconPng()
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    icons::programIcon().pixmap(256, 256).save(&buffer, "PNG");
    return png;
}

} // namespace

void TMainForm::bindHelp()
{
    const ActionCatalog &a = *m_actions;
    connect(a["SendMailToAutor"], &QAction::triggered, this, [] { QDesktopServices::openUrl(mailAddress()); });
    connect(findChild<QAction *>(QStringLiteral("N32")), &QAction::triggered, this,
            [] { QDesktopServices::openUrl(homePageAddress()); });
    connect(findChild<QAction *>(QStringLiteral("N36")), &QAction::triggered, this, &TMainForm::N36Click);
    connect(a["HelpAbout"], &QAction::triggered, this, [this] { aboutBox()->exec(); });
}

TAboutBox *TMainForm::aboutBox()
{
    auto *box = findChild<TAboutBox *>();
    return box ? box : new TAboutBox(this);
}

void TMainForm::N36Click()
{
    // What this platform's integration does: a menu entry and the text/css
    // type, for this user, at once.
    const QString question = QStringLiteral("ИНТЕГРАЦИЯ сделает Quillbox основным редактором файлов CSS:\r"
                                            "добавит его в меню программ и свяжет с ним тип text/css.\r"
                                            "Файлы CSS получат такой же значок как и программа.\r"
                                            "\r"
                                            "Варианты:\r"
                                            "ДА - Интегрировать (рекомендуется).\r"
                                            "НЕТ - Ничего не менять.\r");
    if (m_questions.ask(question, QStringLiteral("Интегрировать Quillbox в систему?"), Questioner::Yes | Questioner::No,
                        Questioner::Icon::Exclamation)
        != Questioner::Yes)
        return;
    DesktopIntegration integration(QCoreApplication::applicationFilePath(), programIconPng(),
                                   QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                                   QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    QString error;
    if (!integration.integrate(&error))
        m_questions.tell(error, QStringLiteral("Quillbox"), Questioner::Icon::Error);
}
