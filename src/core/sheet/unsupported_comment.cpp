#include "core/sheet/unsupported_comment.h"

#include "core/sheet/byte_lines.h"
#include "core/sheet/cp1251.h"

const QByteArray &unsupportedComment()
{
    static const QByteArray text =
        cp1251::encode(QStringLiteral("/* Свойства, не поддерживаемые в этой версии Quillbox */"));
    return text;
}

bool isUnsupportedCommentLine(const QByteArray &line)
{
    const QByteArray &comment = unsupportedComment();
    return line.size() == comment.size() && latinUpper(line) == latinUpper(comment);
}
