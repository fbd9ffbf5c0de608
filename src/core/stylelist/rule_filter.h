#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class SheetCodec;
class StyleListModel;

// Which rows of the rule list a filter text keeps: those whose shown text,
// context and selector, contains it, case aside and taken literally. The
// list's selection is left alone, so a rule selected while filtered is
// still selected when the filter is emptied.
class RuleFilter : public QObject
{
    Q_OBJECT
public:
    RuleFilter(const StyleListModel &list, const SheetCodec &codec);

    void setText(const QString &text);
    const QString &text() const { return m_text; }
    bool active() const { return !m_text.isEmpty(); }

    bool shows(int row) const { return row >= 0 && size_t(row) < m_shown.size() && m_shown[size_t(row)]; }
    int shownCount() const { return m_shownCount; }
    // The first row kept, or -1.
    int firstShown() const;
    // "12 из 2550".
    QString countText() const;

signals:
    // The kept rows changed: a new text, or the list changed under it.
    void changed();

private:
    void listChanged();
    void apply();

    const StyleListModel &m_list;
    const SheetCodec &m_codec;
    QString m_text;
    QStringList m_folded; // each row's shown text, case folded
    std::vector<bool> m_shown;
    int m_shownCount = 0;
};
