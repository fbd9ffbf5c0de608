#pragma once

#include "core/sheet/sheet_encoding.h"

#include <QToolButton>

class QAction;

// The sheet's encoding in the status bar; a click offers the encodings the
// sheet can be written in.
class EncodingButton : public QToolButton
{
    Q_OBJECT
public:
    explicit EncodingButton(QWidget *parent = nullptr);

    void showEncoding(SheetEncoding encoding);

signals:
    void chosen(SheetEncoding encoding);

private:
    QAction *m_utf8;
    QAction *m_cp1251;
};
