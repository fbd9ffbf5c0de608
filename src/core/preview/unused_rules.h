#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

class BrowserHost;
class SheetStore;

// The rules the shown page does not use, asked of the page while they are
// shown: a rule is unused when none of its selectors matches an element,
// states taken as holding and pseudo-elements by their element; a rule
// that matches but whose @media or @supports does not hold at the
// preview's width is apart. The page is asked again when it loads, when
// its width changes, when the sheet reaches it anew and when the rows
// change.
class UnusedRules : public QObject
{
    Q_OBJECT
public:
    explicit UnusedRules(SheetStore &store);
    void setBrowser(BrowserHost *browser) { m_browser = browser; }

    // Unknown: the preview's engine cannot read any selector of the rule
    // that might match, so it cannot tell.
    enum class Use { Used, Unused, Conditional, Unknown };

    void setOn(bool on);
    bool on() const { return m_on; }
    Use use(int row) const;
    // "Не используются на странице: 312 из 2551" (and "; не проверить: 3"
    // for rules the engine cannot read), or nothing while off or before
    // the page has answered.
    QString statusText() const;

    // Asks the page again once the events of this turn are done.
    void refreshSoon();
    void refresh();

    // The status text, each time it changes.
    std::function<void(const QString &)> showMessage;

signals:
    void changed();

private:
    void clear();

    SheetStore &m_store;
    BrowserHost *m_browser = nullptr;
    bool m_on = false;
    bool m_answered = false;
    std::vector<Use> m_uses;
    QTimer m_soon;
    int m_asked = 0;
};
