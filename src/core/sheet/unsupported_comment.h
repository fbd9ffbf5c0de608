#pragma once

#include <QByteArray>

// The line under which declarations that no panel control stands for are
// listed, in the sheet's code page.
const QByteArray &unsupportedComment();

// Whether the line is that comment, case aside.
bool isUnsupportedCommentLine(const QByteArray &line);
