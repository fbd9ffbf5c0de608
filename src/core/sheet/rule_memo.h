#pragma once

#include "core/sheet/byte_lines.h"

#include <QObject>

// The declarations of the current rule as the editor page shows them.
class RuleMemo : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    const ByteLines &lines() const { return m_lines; }
    void setLines(const ByteLines &lines);
    void clear() { setLines({}); }

signals:
    void linesChanged();

private:
    ByteLines m_lines;
};
