#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// The selector constructor. The caller sets ExistingSelectorList, runs the
// dialog modally and reads CreatedSelector (empty when cancelled).
class TCreateSelector : public QDialog
{
    Q_OBJECT
public:
    explicit TCreateSelector(QWidget *parent = nullptr);

    void setExistingSelectorList(const QString &list) { m_existing = list; }
    const QString &existingSelectorList() const { return m_existing; }
    const QString &createdSelector() const { return m_created; }
    QLabel *labelHint() const { return m_labelHint; }

    void OkClick();
    void CancelClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_currentSelector;
    QLabel *m_labelHint;
    QString m_existing;
    QString m_created;
};
