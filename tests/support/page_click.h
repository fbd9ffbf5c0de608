#pragma once

#include "page_script.h"

#include <QTest>
#include <QWebEngineView>

// Clicks the element of the page with this id, a little inside its corner,
// as the user does; the pointer then goes to the view's far corner, so that
// the element is read without :hover when a pick is what the click made.
inline void clickElementInPage(QWebEngineView *view, const QString &id)
{
    runInPage(view->page(), QStringLiteral("1")); // the page has taken what came before
    const QVariantList box =
        runInPage(view->page(), QStringLiteral("(function(){ const r = document.getElementById('%1')"
                                               ".getBoundingClientRect(); return [r.left + 2, r.top + 2]; })()")
                                    .arg(id))
            .toList();
    const QPoint at(box.value(0).toInt(), box.value(1).toInt());
    QTest::mouseMove(view->focusProxy(), at);
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, at);
}

// The pointer away from every element.
inline void movePointerAway(QWebEngineView *view)
{
    QTest::mouseMove(view->focusProxy(), QPoint(view->width() - 3, view->height() - 3));
    QTest::qWait(100);
}
