#include "window/panels/override_markers.h"

#include "core/editor/editor.h"
#include "core/panels/override_marks.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int kMarkSize = 9;

// An orange corner, the way a cell with a note is marked.
QPixmap cornerPixmap(int size, qreal ratio)
{
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath corner;
    corner.moveTo(0, 0);
    corner.lineTo(size, 0);
    corner.lineTo(size, size);
    corner.closeSubpath();
    painter.fillPath(corner, QColor(0xE0, 0x6C, 0x00));
    return pixmap;
}

class MarkButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, cornerPixmap(width(), devicePixelRatioF()));
    }
};

} // namespace

QIcon overrideMarkIcon()
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0, 3.0})
        icon.addPixmap(cornerPixmap(kMarkSize + 3, ratio));
    return icon;
}

OverrideMarkers::OverrideMarkers(Editor &editor, QWidget *panels)
    : QObject(panels)
    , m_editor(editor)
    , m_panels(panels)
{
    // Once per turn of events: a rule read into the panels changes them many times.
    auto soon = [this] {
        if (m_pending)
            return;
        m_pending = true;
        QTimer::singleShot(0, this, [this] {
            m_pending = false;
            refresh();
        });
    };
    connect(&editor.cascade(), &ElementCascade::changed, this, soon);
    connect(&editor.panels(), &PanelState::changed, this, soon);
    connect(&editor.store().list(), &StyleListModel::selectionChanged, this, soon);
}

void OverrideMarkers::refresh()
{
    const int rule = m_editor.store().list().selected();
    const QList<OverrideMark> marks = overrideMarks(controlProperties(m_editor.panels()), m_editor.cascade(),
                                                    m_editor.pageSheets(), rule);
    qsizetype used = 0;
    for (const OverrideMark &mark : marks) {
        QWidget *control = m_panels->findChild<QWidget *>(QString::fromLatin1(mark.control));
        if (!control || !control->parentWidget())
            continue;
        if (used == m_marks.size())
            m_marks.append(Mark());
        Mark &shown = m_marks[used++];
        if (shown.control != control) {
            if (shown.control)
                shown.control->removeEventFilter(this);
            delete shown.button;
            shown.control = control;
            shown.button = new MarkButton(control->parentWidget());
            shown.button->setObjectName(QStringLiteral("OverrideMark"));
            shown.button->setFixedSize(kMarkSize, kMarkSize);
            shown.button->setCursor(Qt::PointingHandCursor);
            shown.button->setFocusPolicy(Qt::NoFocus);
            control->installEventFilter(this);
        }
        QToolButton *button = shown.button;
        button->setProperty("control", QString::fromLatin1(mark.control));
        button->setToolTip(mark.hint + (mark.sheet >= 0 ? QStringLiteral("\nЩелчок открывает этот файл на правиле")
                                                        : QStringLiteral("\nЩелчок выбирает это правило")));
        button->setAccessibleName(mark.hint);
        button->disconnect(this);
        connect(button, &QToolButton::clicked, this,
                [this, sheet = mark.sheet, row = mark.rule] { m_editor.openPageRule(sheet, row); });
        place(shown);
    }
    for (qsizetype k = used; k < m_marks.size(); ++k) {
        if (m_marks[k].control)
            m_marks[k].control->removeEventFilter(this);
        delete m_marks[k].button;
    }
    m_marks.resize(used);
}

void OverrideMarkers::place(const Mark &mark)
{
    if (!mark.control)
        return;
    const QRect box = mark.control->geometry();
    mark.button->move(box.right() - kMarkSize + 1, box.top());
    mark.button->setVisible(mark.control->isVisibleTo(mark.control->parentWidget()));
    mark.button->raise();
}

bool OverrideMarkers::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        for (const Mark &mark : m_marks) {
            if (mark.control == watched)
                place(mark);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
