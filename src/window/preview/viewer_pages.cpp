#include "window/preview/viewer_pages.h"

#include "window/shell/desktop_colours.h"

#include "window/preview/preview_frame.h"

#include "window/shell/action_catalog.h"
#include "window/panels/panel_widgets.h"

#include <QComboBox>
#include <QMenu>
#include <QLineEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

QPlainTextEdit *makeMemo(QWidget *parent, const char *name, bool readOnly)
{
    auto *memo = new QPlainTextEdit(parent);
    memo->setObjectName(QLatin1String(name));
    memo->setReadOnly(readOnly);
    // Tab moves on to the next control: a tab character has no use in a
    // rule's body, whose leading blanks the sheet drops anyway.
    memo->setTabChangesFocus(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setFont(QFont(QStringLiteral("Verdana"), 10));
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The sheet views cannot be typed into, and look it.
    if (readOnly) {
        QPalette pal = memo->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Button));
        memo->setPalette(pal);
    }
    return memo;
}

QWidget *wrap(QWidget *page, QWidget *content)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return page;
}

void buildEditorPage(QTabWidget *viewer, ViewerPages &pages)
{
    auto *page = new QWidget(viewer);
    page->setObjectName(QStringLiteral("CssMemoView"));
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    pages.cssMemo = makeMemo(page, "CSSMemo", false);
    pages.cssMemo->setAccessibleName(QStringLiteral("Текст правила"));
    desktop_colours::setLightGround(pages.cssMemo, Qt::white);
    grid->addWidget(pages.cssMemo, 0, 0);
    pages.btnStyleUpdate = new QPushButton(QStringLiteral("Обновить панели инструменов >>>"), page);
    pages.btnStyleUpdate->setObjectName(QStringLiteral("BtnStyleUpdate"));
    QFont bold = pages.btnStyleUpdate->font();
    bold.setBold(true);
    pages.btnStyleUpdate->setFont(bold);
    QPalette blue = pages.btnStyleUpdate->palette();
    blue.setColor(QPalette::ButtonText, Qt::blue);
    pages.btnStyleUpdate->setPalette(blue);
    pages.btnStyleUpdate->hide();
    grid->addWidget(pages.btnStyleUpdate, 0, 0, Qt::AlignRight | Qt::AlignBottom);
    viewer->addTab(page, QStringLiteral("Редактор"));
}

void buildBrowserPage(QTabWidget *viewer, const ActionCatalog &actions, ViewerPages &pages)
{
    auto *page = new QWidget(viewer);
    page->setObjectName(QStringLiteral("PreView"));
    setHint(page, QStringLiteral("На этой вкладе встроено окно браузера для просмотра HTML"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *bar = new QToolBar(page);
    bar->setObjectName(QStringLiteral("ToolBar6"));
    bar->setIconSize(QSize(16, 16));
    setHint(bar, QStringLiteral("Панель минибраузера"));
    bar->addAction(actions["GotoBack"]);
    bar->addAction(actions["GotoForward"]);
    bar->addSeparator();
    bar->addAction(actions["OpenHomePage"]);
    bar->addAction(actions["SaveHomePage"]);
    bar->addSeparator();
    bar->addAction(actions["GoNavigatorToLINK_HTML"]);
    bar->addAction(actions["RefreshView"]);
    bar->addAction(actions["StopNavigate"]);
    bar->addSeparator();
    // The address box and its splitter share one row; dragging the
    // splitter sets the width of the box.
    auto *addressSplitter = new QSplitter(Qt::Horizontal, bar);
    addressSplitter->setObjectName(QStringLiteral("Splitter2"));
    setHint(addressSplitter, QStringLiteral("Изменение размера строки адреса"));
    pages.location = new QComboBox(addressSplitter);
    pages.location->setObjectName(QStringLiteral("LocationView"));
    pages.location->setEditable(true);
    pages.location->setInsertPolicy(QComboBox::NoInsert);
    pages.location->setMinimumWidth(50);
    pages.location->setEditText(QStringLiteral("about:blank"));
    addressSplitter->addWidget(pages.location);
    addressSplitter->addWidget(new QWidget(addressSplitter));
    addressSplitter->setSizes({300, 1});
    bar->addWidget(addressSplitter);
    bar->addAction(actions["FloatPanel"]);
    bar->addAction(actions["AutoRefreshAction"]);
    bar->addAction(actions["VisualEditHTML"]);
    bar->addSeparator();
    bar->addAction(actions["HighlightMatches"]);
    bar->addAction(actions["PickElement"]);
    bar->addAction(actions["ElementRules"]);
    // The states the picked element can be put into.
    auto *states = new QMenu(QStringLiteral("Состояние элемента"), bar);
    states->setObjectName(QStringLiteral("ForceStateMenu"));
    states->setAccessibleName(QStringLiteral("Состояние элемента"));
    states->addActions({actions["ForceHover"], actions["ForceFocus"], actions["ForceFocusVisible"],
                        actions["ForceFocusWithin"], actions["ForceActive"]});
    auto *statesButton = new QToolButton(bar);
    statesButton->setObjectName(QStringLiteral("ForceStateButton"));
    statesButton->setText(QStringLiteral(":hover"));
    statesButton->setMenu(states);
    statesButton->setPopupMode(QToolButton::InstantPopup);
    setHint(statesButton, QStringLiteral("Состояние элемента|Показать выбранный на странице элемент в состоянии :hover, "
                                         ":focus и других"));
    statesButton->setAccessibleName(QStringLiteral("Состояние элемента"));
    bar->addWidget(statesButton);
    pages.previewWidth = new QComboBox(bar);
    pages.previewWidth->setObjectName(QStringLiteral("PreviewWidth"));
    setHint(pages.previewWidth, QStringLiteral("Ширина страницы|Ширина, при которой страница показывается в просмотре"));
    pages.previewWidth->setAccessibleName(QStringLiteral("Ширина страницы"));
    pages.previewWidth->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // A width may be typed too; Enter lays the page out at it.
    pages.previewWidth->setEditable(true);
    pages.previewWidth->setInsertPolicy(QComboBox::NoInsert);
    pages.previewWidth->lineEdit()->setProperty("keepsEnter", true);
    fillPreviewWidths(pages.previewWidth);
    bar->addWidget(pages.previewWidth);
    layout->addWidget(bar);

    pages.browserSplitter = new QSplitter(Qt::Vertical, page);
    pages.browserSplitter->setObjectName(QStringLiteral("Splitter1"));
    pages.browserSplitter->setHandleWidth(2);
    pages.browserFrame = new PreviewFrame(pages.browserSplitter);
    pages.browser = new QWebEngineView(pages.browserFrame);
    pages.browser->setObjectName(QStringLiteral("PreBrowser"));
    pages.browser->setAccessibleName(QStringLiteral("Просматриваемая страница"));
    pages.browser->setMinimumHeight(3);
    pages.browserFrame->setView(pages.browser);
    pages.browserSplitter->addWidget(pages.browserFrame);

    pages.phtml = new QWidget(pages.browserSplitter);
    pages.phtml->setObjectName(QStringLiteral("PHTML"));
    auto *phtmlLayout = new QVBoxLayout(pages.phtml);
    phtmlLayout->setContentsMargins(0, 0, 0, 0);
    phtmlLayout->setSpacing(0);
    auto *htmlBar = new QToolBar(pages.phtml);
    htmlBar->setObjectName(QStringLiteral("ToolBar1"));
    htmlBar->setAccessibleName(QStringLiteral("Панель HTML"));
    htmlBar->setIconSize(QSize(16, 16));
    pages.progress = new QProgressBar(htmlBar);
    pages.progress->setObjectName(QStringLiteral("ProgressBar"));
    pages.progress->setAccessibleName(QStringLiteral("Загрузка страницы"));
    pages.progress->setRange(0, 100);
    pages.progress->setValue(0);
    pages.progress->setFixedWidth(60);
    pages.progress->setTextVisible(false);
    htmlBar->addWidget(pages.progress);
    htmlBar->addAction(actions["ActionToEditor"]);
    htmlBar->addAction(actions["ActionFormEditor"]);
    auto addButton = [&](const char *name, const QString &caption, const QString &hint) {
        auto *button = new QToolButton(htmlBar);
        button->setObjectName(QLatin1String(name));
        button->setText(caption);
        button->setMinimumWidth(36);
        // The editor keeps the focus: the inserts go where its caret is.
        button->setFocusPolicy(Qt::NoFocus);
        setHint(button, hint);
        htmlBar->addWidget(button);
    };
    addButton("SpeedButton9", QStringLiteral("<>"), QStringLiteral("Обновить раскраску тэгов"));
    const std::pair<const char *, QString> inserts[] = {
        {"SpeedButton1", QStringLiteral("<br>")},   {"SpeedButton8", QStringLiteral("</h1>")},
        {"SpeedButton7", QStringLiteral("<h1>")},   {"SpeedButton2", QStringLiteral("<div>")},
        {"SpeedButton5", QStringLiteral("</div>")}, {"SpeedButton3", QStringLiteral("<p>")},
        {"SpeedButton4", QStringLiteral(" id=")},   {"SpeedButton6", QStringLiteral(" class=")},
        {"InsertHyperLinkToHTML", QStringLiteral("<a../a>")},
    };
    for (const auto &[name, caption] : inserts)
        addButton(name, caption, QStringLiteral("Быстрая вставка в HTML"));
    phtmlLayout->addWidget(htmlBar);
    pages.html = new QTextEdit(pages.phtml);
    pages.html->setObjectName(QStringLiteral("HTML"));
    pages.html->setAcceptRichText(false);
    pages.html->setLineWrapMode(QTextEdit::NoWrap);
    pages.html->setMaximumHeight(420);
    desktop_colours::setLightGround(pages.html, QColor(0xff, 0xfb, 0xf0));
    phtmlLayout->addWidget(pages.html);
    pages.browserSplitter->addWidget(pages.phtml);
    pages.browserSplitter->setStretchFactor(0, 1);
    pages.browserSplitter->setCollapsible(0, false);
    pages.browserSplitter->setSizes({300, 100});
    layout->addWidget(pages.browserSplitter, 1);
    viewer->addTab(page, QStringLiteral("Браузер"));
}

} // namespace

ViewerPages buildViewerPages(QWidget *parent, const ActionCatalog &actions)
{
    ViewerPages pages;
    pages.viewer = new QTabWidget(parent);
    pages.viewer->setObjectName(QStringLiteral("Viewer"));
    pages.viewer->setAccessibleName(QStringLiteral("Виды стиля"));
    buildEditorPage(pages.viewer, pages);

    pages.hcssMemo = makeMemo(pages.viewer, "HCSSMemo", true);
    pages.hcssMemo->setAccessibleName(QStringLiteral("Текущий CSS"));
    pages.viewer->addTab(wrap(new QWidget(pages.viewer), pages.hcssMemo), QStringLiteral("Текущий CSS"));
    pages.viewer->widget(1)->setObjectName(QStringLiteral("CSSView"));
    pages.diskMemo = makeMemo(pages.viewer, "HCssInDiskMemo", true);
    pages.diskMemo->setAccessibleName(QStringLiteral("Исходный CSS"));
    pages.viewer->addTab(wrap(new QWidget(pages.viewer), pages.diskMemo), QStringLiteral("Исходный CSS"));
    pages.viewer->widget(2)->setObjectName(QStringLiteral("CssDiskView"));

    buildBrowserPage(pages.viewer, actions, pages);
    pages.viewer->setCurrentIndex(3);
    return pages;
}
