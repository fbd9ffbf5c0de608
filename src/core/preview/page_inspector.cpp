#include "core/preview/page_inspector.h"

#include "core/preview/browser_host.h"
#include "core/preview/cascade_choice.h"
#include "core/preview/contrast.h"
#include "core/preview/page_scripts.h"
#include "core/preview/page_sheets.h"
#include "core/preview/rule_selectors.h"
#include "core/preview/selector_analysis.h"
#include "core/sheet/sheet_store.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <map>

PageInspector::PageInspector(SheetStore &store)
    : m_store(store)
{
    m_soon.setSingleShot(true);
    m_soon.setInterval(0);
    QObject::connect(&m_soon, &QTimer::timeout, &m_soon, [this] { showMatches(); });
    QObject::connect(&store.list(), &StyleListModel::selectionChanged, &m_soon, [this] { showMatchesSoon(); });
    QObject::connect(&store.list(), &StyleListModel::itemsChanged, &m_soon, [this] { showMatchesSoon(); });
}

void PageInspector::run(const QString &script, std::function<void(const QVariant &)> done)
{
    m_browser->runPageScript(script, std::move(done));
}

void PageInspector::setLayoutLines(bool on)
{
    m_layoutLines = on;
    showMatches();
}

void PageInspector::setOutlining(bool on)
{
    m_outlining = on;
    showMatches();
}

void PageInspector::showMatches()
{
    m_soon.stop();
    const int asked = ++m_asked;
    auto show = [this](const QString &text) {
        if (showMatchCount)
            showMatchCount(text);
    };
    if (!m_browser || !m_browser->browserPageShown()) {
        show({});
        return;
    }
    const int row = m_store.list().selected();
    if (row < 0 || row >= m_store.list().count() || isBasePageRule(m_store.list().item(row))) {
        show({});
        run(page_scripts::clear());
        return;
    }
    Question question;
    QJsonArray selectors;
    const QByteArray own = ruleSelector(m_store.table(), row);
    for (const QByteArray &selector : splitSelectorList(own)) {
        const MatchForm form = matchForm(selector);
        for (const QByteArray &state : form.states) {
            if (!question.states.contains(state))
                question.states.append(state);
        }
        selectors.append(m_store.codec().decode(form.selector));
    }
    question.selectors = int(selectors.size());
    const RuleConditions conditions = ruleConditions(m_store, row);
    question.inMedia = !conditions.media.isEmpty();
    run(page_scripts::highlight(selectors, QJsonArray::fromStringList(conditions.media), m_outlining, m_layoutLines),
        [this, asked, question, show](const QVariant &answer) {
            if (asked != m_asked)
                return;
            show(countText(answer, question));
            QList<int> layout;
            for (const QVariant &n : answer.toMap().value(QStringLiteral("layout")).toList())
                layout.append(n.toInt());
            if (layoutSeen && layout.size() == 5)
                layoutSeen(layout);
        });
}

QString PageInspector::countText(const QVariant &answer, const Question &question)
{
    const QVariantMap map = answer.toMap();
    if (map.isEmpty())
        return {};
    const int invalid = map.value(QStringLiteral("invalid")).toInt();
    if (question.selectors > 0 && invalid >= question.selectors)
        return QStringLiteral("Селектор не понят браузером");
    QString text = QStringLiteral("Элементов: %1").arg(map.value(QStringLiteral("count")).toInt());
    QStringList notes;
    if (invalid > 0)
        notes.append(QStringLiteral("часть селекторов не понята браузером"));
    if (!question.states.isEmpty())
        notes.append(QStringLiteral("при %1").arg(QString::fromLatin1(question.states.join(", "))));
    if (question.inMedia && !map.value(QStringLiteral("mediaApplies")).toBool())
        notes.append(QStringLiteral("условие @media сейчас не выполняется"));
    if (!notes.isEmpty())
        text += QStringLiteral(" (") + notes.join(QStringLiteral("; ")) + QLatin1Char(')');
    return text;
}

void PageInspector::setPicking(bool on)
{
    if (on == m_picking)
        return;
    m_picking = on;
    if (!m_browser)
        return;
    if (!on) {
        run(page_scripts::stopPicking());
        return;
    }
    if (!m_browser->browserPageShown())
        m_browser->showBrowserPage();
    // Every held rule of the edited sheet and the page's others, with the
    // selectors that style the element itself, a passing state taken out
    // (the rule then styles it in that state): those of a pseudo-element
    // are left out. The edited sheet's rules go by their rows, the others'
    // after them.
    QJsonArray rules;
    m_places.clear();
    addRules(rules, m_store, -1);
    if (m_sheets) {
        for (int k = 0; k < int(m_sheets->sheets().size()); ++k)
            addRules(rules, *m_sheets->sheets()[size_t(k)].store, k);
    }
    run(page_scripts::startPicking(rules));
}

void PageInspector::askContrast()
{
    if (!m_browser || !showContrast)
        return;
    run(page_scripts::pickedContrast(), [this](const QVariant &answer) {
        const std::optional<ContrastSample> sample = contrastSampleOf(answer);
        showContrast(sample ? contrastText(*sample) : QString());
    });
}

void PageInspector::forceState(const QString &pseudoClass, bool on)
{
    if (!m_browser || !m_hasPick)
        return;
    const QByteArray state = pseudoClass.toLatin1();
    if (on && !m_forced.contains(state))
        m_forced.append(state);
    if (!on)
        m_forced.removeAll(state);
    if (statesForced)
        statesForced(m_forced);
    run(page_scripts::forceState(pseudoClass.mid(1), on), [this](const QVariant &answer) {
        if (const std::optional<ContrastSample> sample = contrastSampleOf(answer); sample && showContrast)
            showContrast(contrastText(*sample));
    });
    // Read again once the state's transitions have run.
    QTimer::singleShot(400, &m_soon, [this] {
        askContrast();
        if (pageChanged)
            pageChanged();
    });
}

void PageInspector::pageLoaded()
{
    showMatches();
    const bool hadPick = m_hasPick;
    m_hasPick = false;
    m_forced.clear();
    if (pickChanged)
        pickChanged();
    // What the old page's element had (its cascade, the marks it left on
    // the controls, what the status bar said of it) goes with it.
    if (hadPick && pickForgotten)
        pickForgotten();
    forgetPickMessage();
    // The new page has no element picked.
    if (showContrast)
        showContrast(QString());
    if (pageChanged)
        pageChanged();
    if (m_picking) {
        // The new page knows nothing of the pick under way.
        m_picking = false;
        setPicking(true);
    }
}

void PageInspector::pageMessage(const QString &line)
{
    const QString prefix = page_scripts::pageMessagePrefix();
    if (!line.startsWith(prefix))
        return;
    const QJsonObject message = QJsonDocument::fromJson(line.mid(prefix.size()).toUtf8()).object();
    const QString kind = message.value(QStringLiteral("kind")).toString();
    if (kind == QLatin1String("width")) {
        showMatches();
        if (pageChanged)
            pageChanged();
    } else if (kind == QLatin1String("sheet")) {
        askContrast();
        // Once the sheet's own transitions of colour have run.
        QTimer::singleShot(400, &m_soon, [this] { askContrast(); });
        if (pageChanged)
            pageChanged();
    } else if (kind == QLatin1String("left")) {
        // The pointer has left the picked element, its transitions have
        // run: it is read again without :hover.
        askContrast();
        if (pageChanged)
            pageChanged();
    } else if (kind == QLatin1String("boxes")) {
        const QJsonObject data = message.value(QStringLiteral("data")).toObject();
        auto rect = [](const QJsonValue &value) {
            const QJsonArray box = value.toArray();
            return box.size() == 4 ? QRectF(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(), box[3].toDouble())
                                   : QRectF();
        };
        QList<QRectF> matches;
        for (const QJsonValue &box : data.value(QStringLiteral("match")).toArray()) {
            if (const QRectF r = rect(box); r.isValid())
                matches.append(r);
        }
        QList<QRectF> picked;
        if (const QRectF r = rect(data.value(QStringLiteral("pick"))); r.isValid())
            picked.append(r);
        auto rects = [&rect](const QJsonValue &list) {
            QList<QRectF> out;
            for (const QJsonValue &box : list.toArray()) {
                if (const QRectF r = rect(box); r.width() >= 0 && r.height() >= 0 && !r.isNull())
                    out.append(r);
            }
            return out;
        };
        if (m_browser) {
            m_browser->showOutlines(matches, picked);
            m_browser->showLayoutLines(rects(data.value(QStringLiteral("tracks"))),
                                       rects(data.value(QStringLiteral("gaps"))));
        }
    } else if ((kind == QLatin1String("pick") || kind == QLatin1String("cancel")) && m_picking) {
        m_picking = false;
        if (pickingEnded)
            pickingEnded();
        if (kind == QLatin1String("pick"))
            picked(message.value(QStringLiteral("data")).toObject().toVariantMap());
    }
}

QStringList PageInspector::sheetMedia(int sheet) const
{
    if (sheet < 0 || !m_sheets || sheet >= int(m_sheets->sheets().size()))
        return {};
    return m_sheets->sheets()[size_t(sheet)].media;
}

void PageInspector::addRules(QJsonArray &rules, const SheetStore &store, int sheet)
{
    const std::vector<QByteArray> own = ruleSelectors(store.table());
    for (int row = 0; row < store.list().count() && row < int(own.size()); ++row) {
        if (isBasePageRule(store.list().item(row)))
            continue;
        QJsonArray selectors;
        bool any = false;
        for (const QByteArray &selector : splitSelectorList(own[size_t(row)])) {
            const MatchForm form = matchForm(selector);
            if (form.pseudoElement) {
                selectors.append(QJsonValue::Null);
            } else {
                selectors.append(store.codec().decode(form.selector));
                any = true;
            }
        }
        if (!any)
            continue;
        int place = row;
        if (sheet >= 0) {
            place = m_store.list().count() + int(m_places.size());
            m_places.push_back({sheet, row});
        }
        const RuleConditions conditions = ruleConditions(store, row);
        // A rule in @starting-style styles an element only as it first
        // appears, never as it stands.
        if (conditions.startingStyle)
            continue;
        QJsonArray scopes;
        for (const QStringList &scope : conditions.scopes)
            scopes.append(QJsonArray::fromStringList(scope));
        rules.append(QJsonArray{place, selectors, QJsonArray::fromStringList(conditions.media + sheetMedia(sheet)),
                                QJsonArray::fromStringList(conditions.supports), scopes});
    }
}

void PageInspector::forgetPickMessage()
{
    if (m_toldOfPick && showMessage)
        showMessage(QString());
    m_toldOfPick = false;
}

void PageInspector::picked(const QVariantMap &data)
{
    m_hasPick = true;
    m_forced.clear();
    forgetPickMessage();
    if (pickChanged)
        pickChanged();
    if (showContrast) {
        const std::optional<ContrastSample> sample = contrastSampleOf(data.value(QStringLiteral("contrast")));
        showContrast(sample ? contrastText(*sample) : QString());
    }
    std::vector<RuleMatch> matches;
    const int ownRows = m_store.list().count();
    const std::vector<QByteArray> own = ruleSelectors(m_store.table());
    std::map<int, std::vector<QByteArray>> others;
    for (const QVariant &entry : data.value(QStringLiteral("matches")).toList()) {
        const QVariantList fields = entry.toList();
        if (fields.size() < 3)
            continue;
        const int place = fields[0].toInt();
        int row = place;
        int sheet = -1;
        if (place >= ownRows && place - ownRows < int(m_places.size())) {
            std::tie(sheet, row) = m_places[size_t(place - ownRows)];
            if (!m_sheets || sheet >= int(m_sheets->sheets().size()))
                continue;
        } else if (place < 0 || place >= ownRows) {
            continue;
        }
        const SheetStore &store = sheet < 0 ? m_store : *m_sheets->sheets()[size_t(sheet)].store;
        if (sheet >= 0 && !others.count(sheet))
            others[sheet] = ruleSelectors(store.table());
        const std::vector<QByteArray> &written = sheet < 0 ? own : others[sheet];
        if (row >= int(written.size()))
            continue;
        const QByteArrayList selectors = splitSelectorList(written[size_t(row)]);
        RuleMatch match;
        match.rule = row;
        match.sheet = sheet;
        match.contextApplies = fields[2].toBool();
        // A rule matches as the element is when one of its matching
        // selectors needs no state; else it needs the states they name.
        QByteArrayList now, inState, states;
        for (const QVariant &k : fields[1].toList()) {
            if (k.toInt() < 0 || k.toInt() >= selectors.size())
                continue;
            const QByteArray &selector = selectors[k.toInt()];
            const MatchForm form = matchForm(selector);
            (form.states.isEmpty() ? now : inState).append(selector);
            for (const QByteArray &state : form.states) {
                if (!states.contains(state))
                    states.append(state);
            }
        }
        match.selectors = now.isEmpty() ? inState : now;
        if (now.isEmpty())
            match.states = states;
        else
            match.inState = inState;
        if (fields.size() > 3 && fields[3].toInt() >= 0)
            match.proximity = fields[3].toInt();
        match.contextUnknown = !ruleConditions(store, row).containers.isEmpty();
        matches.push_back(match);
    }
    if (elementPicked)
        elementPicked(matches);
    if (const std::optional<int> rule = winningRule(matches)) {
        if (selectRule)
            selectRule(*rule);
        return;
    }
    if (!showMessage)
        return;
    m_toldOfPick = true;
    const QString element = data.value(QStringLiteral("element")).toString();
    const auto elsewhere = std::count_if(matches.begin(), matches.end(), [](const RuleMatch &m) { return m.sheet >= 0; });
    if (elsewhere > 0)
        showMessage(QStringLiteral("В этом файле нет правила для %1: его оформляют другие таблицы страницы (правил: %2)")
                        .arg(element)
                        .arg(elsewhere));
    else
        showMessage(QStringLiteral("Ни одно правило не подходит к ") + element);
}
