#pragma once

#include <QObject>

#include <functional>

class QTabBar;
class QTabWidget;

// Every way the user turns the sheet views (a click on a tab, Ctrl+Tab,
// Ctrl+Shift+Tab, Ctrl+PgDn, Ctrl+PgUp, the arrows on the tab bar, the
// wheel over it) turns them here, so each is followed by the same step.
// Turns made by the program itself are not followed.
class ViewerTurns : public QObject
{
    Q_OBJECT
public:
    // `entered` follows a click on a tab, after the turn: the page is the
    // user's to work in.
    ViewerTurns(QTabWidget *viewer, std::function<void(int)> turned, std::function<void(int)> entered = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Turns to the page; by steps that wrap around or stop at the ends.
    void turnTo(int index);
    void step(int by, bool wrap);
    void clicked(int index);

    QTabWidget *m_viewer;
    QTabBar *m_bar;
    std::function<void(int)> m_turned;
    std::function<void(int)> m_entered;
};
