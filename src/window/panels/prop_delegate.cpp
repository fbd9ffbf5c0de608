#include "window/panels/prop_delegate.h"

#include "core/css/css_catalogue.h"
#include "core/panels/prop_table.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

namespace {

const QStringList &propertyNames()
{
    static const QStringList names = [] {
        QStringList out;
        out.reserve(kCssPropertyCount);
        for (int i = 0; i < kCssPropertyCount; ++i)
            out.append(QString::fromLatin1(kCssProperties[i].name));
        return out;
    }();
    return names;
}

QCompleter *completerFor(const QStringList &words, QLineEdit *editor)
{
    auto *completer = new QCompleter(words, editor);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setMaxVisibleItems(12);
    // The panel is narrow: the names need more room than the cell.
    completer->popup()->setMinimumWidth(220);
    return completer;
}

} // namespace

QWidget *PropDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (index.column() == OnColumn)
        return nullptr;
    auto *editor = qobject_cast<QLineEdit *>(QStyledItemDelegate::createEditor(parent, option, index));
    if (!editor)
        return nullptr;
    // Enter ends the edit here, not the window's panel change.
    editor->setProperty("keepsEnter", true);
    if (index.column() == NameColumn) {
        editor->setObjectName(QStringLiteral("PropName"));
        editor->setAccessibleName(QStringLiteral("Свойство"));
        QCompleter *completer = completerFor(propertyNames(), editor);
        editor->setCompleter(completer);
        // A name taken from the list, by a click or by Enter, ends the
        // name's edit at once: what is typed next is the value.
        connect(completer, qOverload<const QString &>(&QCompleter::activated), editor, [this, editor](const QString &name) {
            QMetaObject::invokeMethod(
                editor,
                [this, editor, name] {
                    editor->setText(name);
                    auto *self = const_cast<PropDelegate *>(this);
                    emit self->commitData(editor);
                    emit self->closeEditor(editor, QAbstractItemDelegate::NoHint);
                },
                Qt::QueuedConnection);
        });
        return editor;
    }
    editor->setObjectName(QStringLiteral("PropValue"));
    editor->setAccessibleName(QStringLiteral("Значение"));
    // A row being added has its name as typed, not yet as read.
    const QModelIndex nameIndex = index.siblingAtColumn(NameColumn);
    QByteArray name = nameIndex.data(Qt::UserRole).toByteArray();
    if (name.isEmpty())
        name = nameIndex.data().toString().trimmed().toLatin1();
    QStringList words;
    for (const QByteArray &word : cssCatalogue::keywordsOf(name))
        words.append(QString::fromLatin1(word));
    for (const char *wide : {"inherit", "initial", "unset", "revert", "revert-layer"})
        words.append(QString::fromLatin1(wide));
    editor->setCompleter(completerFor(words, editor));
    editor->setPlaceholderText(QString::fromLatin1(PropTable::placeholder(name)));
    return editor;
}

bool PropDelegate::eventFilter(QObject *watched, QEvent *event)
{
    auto *editor = qobject_cast<QLineEdit *>(watched);
    if (editor && event->type() == QEvent::KeyPress && editor->objectName() == QLatin1String("PropValue")) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool popup = editor->completer() && editor->completer()->popup()->isVisible();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && !popup) {
            const QByteArray text = editor->text().toUtf8();
            int caret = int(editor->text().left(editor->cursorPosition()).toUtf8().size());
            if (const std::optional<QByteArray> stepped = steppedNumber(text, &caret, key == Qt::Key_Up)) {
                editor->setText(QString::fromUtf8(*stepped));
                editor->setCursorPosition(QString::fromUtf8(stepped->left(caret)).size());
            }
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}
