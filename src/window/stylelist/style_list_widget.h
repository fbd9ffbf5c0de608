#pragma once

#include <QListWidget>

class QFontMetrics;
class ElementRules;
class PageSheets;
class UnusedRules;
class RuleFilter;
class SheetCodec;
class StyleListModel;

// What a row of a nested rule shows in a given width: its context, muted
// and shortened in the middle first, then its selector, whole as long as
// it fits.
struct FittedRow {
    QString context;
    QString selector;
};
FittedRow fitRow(const QString &context, const QString &selector, const QFontMetrics &metrics, int width);

// ListTag: shows the core's rule list and reports what the user does with
// it. Drags stay inside the list; the core decides where the rule goes.
class StyleListWidget : public QListWidget
{
    Q_OBJECT
public:
    explicit StyleListWidget(QWidget *parent = nullptr);

    // Shows the model's rules, their bytes read through the sheet's codec.
    void bind(StyleListModel *model, const SheetCodec *codec);
    // Shows only the rows the filter keeps; while it is on, rules are not
    // dragged.
    void bindFilter(const RuleFilter *filter);
    // Shows only the picked element's rules while they are shown: greyed
    // where their @media or @supports does not hold, their specificity in
    // their tips. Those of the page's other sheets follow, read-only, each
    // naming its file.
    void bindElementRules(const ElementRules *rules, const PageSheets *sheets);
    // Greys the rules the page does not use, in italics, while they are
    // shown; a rule whose conditions do not hold at the page's width is
    // greyed upright.
    void bindUnusedRules(const UnusedRules *rules);

    // The row under a point of the viewport; the row count past the end.
    int rowAt(const QPoint &point) const;

signals:
    void rowClicked(int row);
    void rowDoubleClicked(int row);
    // A double-click on a rule of the page's other sheets.
    void otherRuleOpened(int sheet, int row);
    void draggedOver(int row);
    void dropped(int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showItems();
    void showSelection(int row);
    void showFiltered();
    void showOthers();
    // The rows of the edited sheet; the page's other sheets' come after.
    int ownRows() const;
    QColor greyedInk() const;

    StyleListModel *m_model = nullptr;
    const SheetCodec *m_codec = nullptr;
    const RuleFilter *m_filter = nullptr;
    const ElementRules *m_elementRules = nullptr;
    const PageSheets *m_sheets = nullptr;
    const UnusedRules *m_unused = nullptr;
};
