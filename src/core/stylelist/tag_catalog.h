#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The HTML elements the selector constructor offers, page by page, and
// what each is for.
namespace tags {

struct Page {
    const char *listName; // the list's objectName
    QString caption;
    QStringList items;    // "[none]" first
};

// The six pages in their order: "Все", "Текст", "Таблица", "Объект", "Блок",
// "Специальное".
const QList<Page> &pages();

// The description lines, "NAME=description": one for "[none]" and one for
// every element of the page "Все", in its order.
const QStringList &tagSource();

// The description of an element: the rest of the first line that begins
// with the name and "=", or "Нет справки".
QString describe(const QStringList &source, const QString &name);

} // namespace tags
