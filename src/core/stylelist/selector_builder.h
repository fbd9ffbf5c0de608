#pragma once

#include <QString>
#include <QStringList>

// The selector constructor without its window: the selector being built,
// its ID or class, its pseudo part and the list of finished selectors.
class SelectorBuilder
{
public:
    // An editable combo box: its text and the names it offers.
    struct NameBox {
        QString text;
        QStringList items;
    };

    static const QStringList &pseudoElements(); // "[none]", ":first-letter" ...
    static const QStringList &pseudoClasses();  // "[none]", ":active" ...

    QString currentSelector;
    NameBox ids;
    NameBox classes;
    int pseudoElement = 0;
    int pseudoClass = 0;
    bool pseudoClassEnabled = true;
    QStringList itog;
    int selectedLine = -1;
    QString createdSelector;

    // The dialog opens: names are collected from the rules of the sheet and
    // the rest starts afresh.
    void FormShow(const QString &existingSelectorList);

    void tagClicked(const QString &item);
    void idChanged(const QString &text);
    void classChanged(const QString &text);
    // A typed name stays on offer once its box is left.
    static void comboExit(NameBox &box);
    void pseudoElementClicked(int index);
    void pseudoClassClicked(int index);

    void AddElementClick();
    void AddPotomokClick();
    void AddSosedClick();
    void DelClick();
    void DelPotomokClick();
    void DelSosedClick();
    void SpeedButton1Click(); // up
    void SpeedButton2Click(); // down

    // "Готово": the finished lines joined by ", ", or the current selector
    // when there are none.
    void OkClick();

private:
    void nameChanged(NameBox &box, NameBox &other, QChar mark);
    bool hasSelectedLine() const { return selectedLine >= 0 && selectedLine < itog.size(); }
    void cutLastStep(QChar separator);
};
