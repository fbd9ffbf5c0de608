#pragma once

#include "window/shell/main_form.h"
#include "scripted_questioner.h"
#include "settings_reset.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A shown main window with fresh settings, a scripted questioner and a
// sheet file in a temporary folder.
class WindowTest : public testing::Test
{
protected:
    // A new installation keeps the file's layout; tests of the program's
    // own layout choose it, as a user does.
    enum class Layout { Default, Program };
    void startWith(const QByteArray &sheet, Layout layout = Layout::Default)
    {
        clearProgramSettings();
        if (layout == Layout::Program)
            chooseProgramLayout();
        path = dir.filePath("site.css");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(sheet);
        file.close();
        form = std::make_unique<TMainForm>();
        auto scripted = std::make_unique<ScriptedQuestioner>();
        questioner = scripted.get();
        form->setQuestioner(std::move(scripted));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override
    {
        form->store().setSheetModified(false);
        form->close();
    }

    template <typename T>
    T *child(const char *name)
    {
        return form->findChild<T *>(QLatin1String(name));
    }

    // A double-click as the window system delivers it: press, release,
    // press and double-click, release.
    static void doubleClick(QWidget *widget) { doubleClick(widget, widget->rect().center()); }
    static void doubleClick(QWidget *widget, const QPoint &at)
    {
        QWidget *window = widget->window();
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, at));
    }

    QByteArray fileText() const { return fileText(path); }
    static QByteArray fileText(const QString &name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<TMainForm> form;
    ScriptedQuestioner *questioner = nullptr;
};
