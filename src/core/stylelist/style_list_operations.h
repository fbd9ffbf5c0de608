#pragma once

#include <QByteArray>

#include <functional>

class Questioner;
class SheetStore;

// What the user does with the rule list: add, rename, delete, move, sort,
// drag and clear rules. The list and the table agree after each of them.
class StyleListOperations
{
public:
    // commit is the style commit with its focus flag set.
    StyleListOperations(SheetStore &store, Questioner &questioner, std::function<void()> commit);

    // Adds a rule at the end of the list and the table: there is always room.
    void AddStyle(const QByteArray &name);
    // Makes the table follow the order of the list, matching selectors.
    void ReorderTableToList();
    // " " followed by the selectors, separated by single blanks.
    QByteArray ExistingSelectorList() const;

    // The selector constructor's result; empty means it was cancelled.
    void NewStyle(QByteArray name);
    // Returns false when the new name is refused; the caller then lets the
    // user edit it again.
    bool RenameSelected(const QByteArray &newName);
    void StyleUp();
    void StyleDown();
    void StyleSorted();
    void StyleDelete();
    // The pointer is over this row during a drag.
    void DragOver(int row);
    // The dragged rule (the current one) is dropped on this row.
    void DragDrop(int targetRow);
    void ClearStyle();

private:
    void moveRule(int from, int to);
    // Moves a rule one step: past its neighbour in its block, or past a
    // whole block within its block. Answers the rule's new row.
    int stepRule(int row, bool up);
    void deleteWithNested(int row);
    void warn(const QString &text);

    SheetStore &m_store;
    Questioner &m_questioner;
    std::function<void()> m_commit;
};
