#include "window/shell/action_catalog.h"

#include "window/shell/hint.h"
#include "window/shell/icon_factory.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>

namespace {

struct ActionDef {
    const char *name;
    const char *caption;
    const char *hint;
    QKeyCombination key;
    bool checkable;
    const char *themeIcon;
    const char *glyph;
};

constexpr QKeyCombination kNoKey{};

const ActionDef kActions[] = {
    {"New", "Новый", "Новый|Создание новой таблицы стилей", Qt::CTRL | Qt::Key_N, false, "document-new", "Н"},
    {"OpenFile", "Открыть...", "Открыть|Открыть файл на диске", Qt::CTRL | Qt::Key_O, false, "document-open", "О"},
    {"Save", "Сохранить", "Сохранить CSS и HTML|Сохранение CSS (если активен редактор HTML, то код HTML также сохраняется)",
     Qt::CTRL | Qt::Key_S, false, "document-save", "С"},
    {"SaveAs", "Сохранить как...", "Сохранить как...|Сохранение данных в файле с новым именем и/или местоположением",
     kNoKey, false, "document-save-as", "С…"},
    {"QuitQuillbox", "Выход", "", Qt::ALT | Qt::Key_Q, false, "application-exit", "×"},
    {"NewStyle", "Новый стиль", "Новый стиль|Вызов конструктора имени для нового стиля", QKeyCombination(Qt::Key_Insert),
     false, "list-add", "+"},
    {"StyleRename", "Переименовать", "Переименовать|Переименовать текущий стиль", QKeyCombination(Qt::Key_F2), false,
     "", "Аб"},
    {"StyleDelete", "Удалить", "Удалить|Удалить текущий стиль", Qt::CTRL | Qt::Key_Delete, false, "list-remove", "−"},
    {"StyleUp", "Стиль вверх", "Вверх|Перемещение стиля вверх по списку. Можно просто перетащить.", kNoKey, false,
     "go-up", "↑"},
    {"StyleDown", "Стиль вниз", "Вниз|Перемещение стиля вниз по списку. Можно просто перетащить.", kNoKey, false,
     "go-down", "↓"},
    {"StyleSorted", "Сортировка", "Сортировать по алфавиту (осторожно, смена порядка наследования)", kNoKey, false,
     "view-sort-ascending", "АЯ"},
    {"BackEdit", "Отменить", "Отменить последнюю операцию", Qt::CTRL | Qt::Key_Z, false, "edit-undo", "↶"},
    {"ForeEdit", "Вернуть действие", "Вернуть после отмены операцию", Qt::CTRL | Qt::SHIFT | Qt::Key_Z, false,
     "edit-redo", "↷"},
    {"EditCut", "Вырезать", "Вырезать|Вырезать выделенный фрагмент в буфер обмена", Qt::CTRL | Qt::Key_X, false,
     "edit-cut", "✂"},
    {"EditCopy", "Копировать", "Копировать|Копировать выделенный фрагмент в буфер обмена", Qt::CTRL | Qt::Key_C, false,
     "edit-copy", "❐"},
    {"EditPaste", "Вставить", "Вставить|Вставить фрагмент из буфера обмена", Qt::CTRL | Qt::Key_V, false,
     "edit-paste", "▤"},
    {"FloatPanel", "Подвижные панели",
     "Подвижные панели|Рабочая область занимает максимум площади окна, а панели становятся выдвижными",
     QKeyCombination(Qt::Key_F11), true, "view-fullscreen", "⇔"},
    {"RefreshView", "Обновить", "Обновить|Обновить окно просмотра и состояние панелей инструментов",
     QKeyCombination(Qt::Key_F5), false, "view-refresh", "⟳"},
    {"AutoRefreshAction", "Автообновление", "Автообновление !!!|Окно просмотра обновляется сразу после изменения стиля !!!",
     kNoKey, true, "", "A⟳"},
    {"KeepUntouchedLayout", "Сохранять оформление нетронутых правил",
     "Сохранять оформление нетронутых правил|Правила, которые вы не меняли, и текст между ними записываются при "
     "сохранении так, как были прочитаны",
     kNoKey, true, "", "≡"},
    {"SaveHomePage", "Запомнить HTML в стиле", "Записать текущую страницу как базовую в стиль (LINK_HTML)", kNoKey, false,
     "bookmark-new", "★"},
    {"OpenHomePage", "Открыть HTML", "Открыть HTML", kNoKey, false, "text-html", "<>"},
    {"SiteFolder", "Папка сайта…",
     "Папка сайта|Папка, которую представляет корень сайта страницы: ссылки от корня (/css/site.css) ведут в неё",
     kNoKey, false, "folder", "⌂/"},
    {"GoNavigatorToLINK_HTML", "Переход на базовый адрес", "Перейти к базовой странице HTML (см. стиль LINK_HTML)",
     kNoKey, false, "go-home", "⌂"},
    {"GotoBack", "Назад", "Назад|Переход к предыдущей странице", kNoKey, false, "go-previous", "←"},
    {"GotoForward", "Вперед", "Вперед|Переход к следующей странице", kNoKey, false, "go-next", "→"},
    {"StopNavigate", "Остановить", "Остановить", kNoKey, false, "process-stop", "■"},
    {"ActionToEditor", "Открыть HTML для редактирования", "Открыть HTML для редактирования или просмотра кода", kNoKey,
     false, "accessories-text-editor", "✎"},
    {"ActionFormEditor", "Сохранить HTML и открыть его в браузере", "Сохранить HTML и открыть его в браузере", kNoKey,
     false, "document-send", "⇪"},
    // Only on a tool bar otherwise: the shortcut makes it reachable from
    // the keyboard.
    {"VisualEditHTML", "Редактировать HTML", "", Qt::CTRL | Qt::Key_E, false, "document-properties", "ВР"},
    {"HighlightMatches", "Подсветка совпадений",
     "Подсветка совпадений|Обвести на странице элементы, к которым относится выбранное правило", kNoKey, true,
     "edit-select-all", "▣"},
    {"PickElement", "Выбрать элемент на странице",
     "Выбрать элемент на странице (Ctrl+Shift+C)|Щёлкните элемент на странице: в списке выберется правило, которое "
     "его оформляет. Esc - отмена",
     Qt::CTRL | Qt::SHIFT | Qt::Key_C, true, "find-location", "⌖"},
    {"ElementRules", "Правила элемента",
     "Правила элемента|Показать в списке только правила, которые относятся к выбранному на странице элементу, с их "
     "специфичностью",
     kNoKey, true, "view-list-details", "≣"},
    {"ForceHover", ":hover", "Состояние :hover|Показать выбранный на странице элемент так, будто над ним указатель",
     kNoKey, true, "", ":h"},
    {"ForceFocus", ":focus", "Состояние :focus|Показать выбранный на странице элемент так, будто на нём фокус", kNoKey,
     true, "", ":f"},
    {"ForceFocusVisible", ":focus-visible",
     "Состояние :focus-visible|Показать выбранный на странице элемент так, будто на нём видимый фокус", kNoKey, true,
     "", ":fv"},
    {"ForceFocusWithin", ":focus-within",
     "Состояние :focus-within|Показать выбранный на странице элемент и его предков так, будто фокус внутри них", kNoKey,
     true, "", ":fw"},
    {"ForceActive", ":active", "Состояние :active|Показать выбранный на странице элемент так, будто его нажимают",
     kNoKey, true, "", ":a"},
    {"UnusedRules", "Неиспользуемые правила",
     "Неиспользуемые правила|Показать серым курсивом правила, которые не относятся ни к одному элементу страницы "
     "в просмотре",
     kNoKey, true, "edit-find", "∅"},
    {"SendMailToAutor", "Письмо автору",
     "Письмо автору|Для разработчика обратная связь - лучший помощник и советчик. Пишите.", kNoKey, false,
     "mail-send", "✉"},
    {"HelpAbout", "О программе...", "О программе...", QKeyCombination(Qt::Key_F1), false, "help-about", "?"},
};

} // namespace

ActionCatalog::ActionCatalog(QObject *owner)
{
    // FloatPanel and AutoRefreshAction are toggles of their own groups.
    auto *floatGroup = new QActionGroup(owner);
    floatGroup->setObjectName(QStringLiteral("FloatPanelGroup"));
    floatGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    auto *refreshGroup = new QActionGroup(owner);
    refreshGroup->setObjectName(QStringLiteral("AutoRefreshGroup"));
    refreshGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);

    for (const ActionDef &def : kActions) {
        auto *action = new QAction(QString::fromUtf8(def.caption), owner);
        const QString name = QString::fromLatin1(def.name);
        action->setObjectName(name);
        const QString hint = QString::fromUtf8(def.hint);
        if (!hint.isEmpty()) {
            const HintParts parts = splitHint(hint);
            action->setToolTip(parts.shortPart);
            action->setStatusTip(parts.longPart);
        }
        if (def.key != kNoKey)
            action->setShortcut(QKeySequence(def.key));
        action->setCheckable(def.checkable);
        action->setIcon(icons::themed(def.themeIcon, QString::fromUtf8(def.glyph)));
        if (name == QLatin1String("FloatPanel"))
            floatGroup->addAction(action);
        else if (name == QLatin1String("AutoRefreshAction"))
            refreshGroup->addAction(action);
        // Outlining what the selected rule matches is on until turned off.
        if (name == QLatin1String("HighlightMatches"))
            action->setChecked(true);
        m_actions.insert(name, action);
    }
    m_actions.value(QStringLiteral("ForeEdit"))
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
}

QAction *ActionCatalog::operator[](const char *name) const
{
    return m_actions.value(QLatin1String(name));
}
