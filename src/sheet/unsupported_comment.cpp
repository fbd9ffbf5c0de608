#include "unsupported_comment.h"

#include "cp1251.h"

const QByteArray &unsupportedComment()
{
    static const QByteArray text =
        cp1251::encode(QStringLiteral("/* Свойства, не поддерживаемые в этой версии Quillbox */"));
    return text;
}
