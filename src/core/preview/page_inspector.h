#pragma once

#include "core/preview/cascade_choice.h"

#include <QString>
#include <QTimer>
#include <QVariant>

#include <functional>
#include <utility>
#include <vector>

class BrowserHost;
class PageSheets;
class QJsonArray;
class SheetStore;

// The link between the rule list and the shown page: the elements the
// selected rule matches are counted and outlined, and an element picked
// in the page selects the rule that styles it.
class PageInspector
{
public:
    explicit PageInspector(SheetStore &store);

    void setBrowser(BrowserHost *browser) { m_browser = browser; }
    // The page's other sheets, whose rules a pick takes in too.
    void setPageSheets(const PageSheets *sheets) { m_sheets = sheets; }

    // The count for the status bar ("" with no page).
    std::function<void(const QString &)> showMatchCount;
    // A passing message for the status bar.
    std::function<void(const QString &)> showMessage;
    // Selects a rule of the list as a click on it would.
    std::function<void(int row)> selectRule;
    // Every rule that matches the element picked, before the winner is selected.
    std::function<void(const std::vector<RuleMatch> &)> elementPicked;
    // Picking ended in the page (an element was picked): the action follows.
    std::function<void()> pickingEnded;

    // The picked element's contrast as the label says it, each time it is
    // known anew; empty when no element is picked.
    std::function<void(const QString &)> showContrast;
    // The page has loaded, its width has changed or the edited sheet has
    // reached it anew.
    // The picked element is gone with its page.
    std::function<void()> pickForgotten;
    std::function<void()> pageChanged;
    // Asks the page for the picked element's colours again.
    void askContrast();

    // Puts the picked element into a state (":hover") or out of it.
    void forceState(const QString &pseudoClass, bool on);
    bool hasPick() const { return m_hasPick; }
    // An element was picked, or the page that had one has gone: the states
    // forced on the old one no longer hold.
    std::function<void()> pickChanged;
    // The states forced now, each time they change.
    std::function<void(const QByteArrayList &)> statesForced;

    // What the selected rule's elements are for flex and grid layout:
    // [elements, containers, flex containers, items, flex items].
    std::function<void(const QList<int> &)> layoutSeen;

    // The lines of the matched flex and grid containers, drawn or not.
    void setLayoutLines(bool on);
    bool layoutLines() const { return m_layoutLines; }

    void setOutlining(bool on);
    bool outlining() const { return m_outlining; }
    // Counts, and outlines if asked, what the selected rule matches on the
    // shown page; to be run whenever the rule, the page or its width change.
    void showMatches();
    // The same once the events of this turn are done: a rebuilt list
    // reports its new rows and its selection one after the other.
    void showMatchesSoon() { m_soon.start(); }

    void setPicking(bool on);
    bool picking() const { return m_picking; }

    // A page finished loading: what it showed is shown again.
    void pageLoaded();
    // A line the page's console got; the library's own are acted on.
    void pageMessage(const QString &line);

    // What the count was asked about: the selectors of the rule, the
    // states taken out of them, whether the rule is inside an @media block.
    struct Question {
        int selectors = 0;
        QByteArrayList states;
        bool inMedia = false;
    };
    // The count's text for an answer of the highlight script.
    static QString countText(const QVariant &answer, const Question &question);

private:
    void run(const QString &script, std::function<void(const QVariant &)> done = {});
    void picked(const QVariantMap &data);
    void addRules(QJsonArray &rules, const SheetStore &store, int sheet);
    // The media an imported sheet is given under, which all its rules need.
    QStringList sheetMedia(int sheet) const;

    SheetStore &m_store;
    BrowserHost *m_browser = nullptr;
    const PageSheets *m_sheets = nullptr;
    // The other sheets' rules by their places in the pick after the edited
    // sheet's rows: (sheet, row).
    std::vector<std::pair<int, int>> m_places;
    bool m_outlining = true;
    bool m_layoutLines = true;
    bool m_picking = false;
    bool m_hasPick = false;
    bool m_toldOfPick = false; // the status bar says something of the pick
    void forgetPickMessage();
    QByteArrayList m_forced;
    QTimer m_soon;
    int m_asked = 0; // the latest count asked for; older answers are dropped
};
