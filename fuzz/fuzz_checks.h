#pragma once

// Checks the fuzz targets share, each target a program of its own.
#include <QByteArray>

namespace {

// Where an unquoted url( ... ) that holds the "/*" at `at` ends, or -1:
// in "url(file:///site/*)" the "/*" opens no comment.
qsizetype urlEndAround(const QByteArray &text, qsizetype at)
{
    qsizetype open = at - 1;
    while (open >= 0 && text[open] != '(' && text[open] != ')' && text[open] != '\n' && text[open] != '"'
           && text[open] != '\'')
        --open;
    if (open < 3 || text[open] != '(' || qstrnicmp(text.constData() + open - 3, "url", 3) != 0 || at - open > 4096)
        return -1;
    if (open > 3) {
        const char before = text[open - 4];
        if ((before | 0x20) >= 'a' && (before | 0x20) <= 'z')
            return -1;
        if ((before >= '0' && before <= '9') || before == '-' || before == '_' || static_cast<unsigned char>(before) >= 0x80)
            return -1;
    }
    for (qsizetype k = at; k < text.size() && text[k] != '\n'; ++k) {
        if (text[k] == ')')
            return k;
    }
    return -1;
}

// Whether a "/*" stands inside an unquoted url( ): the program reads such
// an address to its ")" on the line, the engine as a url token. A sheet
// that does so has no block structure both agree on, and the lowering
// may lay its lines out anew.
bool holdsCommentOpenerInAddress(const QByteArray &text)
{
    for (qsizetype at = text.indexOf("/*"); at >= 0; at = text.indexOf("/*", at + 1)) {
        if (urlEndAround(text, at) > 0)
            return true;
    }
    return false;
}

} // namespace
