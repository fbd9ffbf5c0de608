#pragma once

#include "byte_lines.h"

#include <random>

// Sheets of rules, comments, stray braces, tabs, Cyrillic bytes and mixed
// line breaks, the same for the same seed.
inline QByteArray randomSheetText(unsigned seed, int pieces)
{
    static const char *const kPieces[] = {
        "p", "div p", "h1,", "h2", ".note", "#main", "a:hover", "@media print", "body",
        "{", "{", "}", "}", " { ", " } ",
        "color: red;", "margin: 0 auto;", "font-family: Arial, serif;", "; color: blue",
        "/* note */", "/*", "*/", "/* { */", "/* } */", "*", "/",
        "\t", " ", "  ", ";", ";;",
        "\r\n", "\r\n", "\n", "\r", "\r\n\r\n",
        "\xc7\xe0\xe3\xee\xeb\xee\xe2\xee\xea", // a Cyrillic word in the sheet's code page
        "\x98", "\xff",
    };
    constexpr int kCount = sizeof(kPieces) / sizeof(kPieces[0]);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> pick(0, kCount - 1);
    QByteArray text;
    for (int i = 0; i < pieces; ++i)
        text.append(kPieces[pick(rng)]);
    return text;
}

// A well-formed sheet of flat rules, about 250 bytes each.
inline QByteArray generatedSheetText(int rules)
{
    QByteArray text;
    for (int i = 0; i < rules; ++i) {
        const QByteArray n = QByteArray::number(i);
        text += ".rule" + n + " a, #item" + n + " > span {\r\n"
                "  color: #33" + QByteArray::number(i % 10) + "366;\r\n"
                "  margin-top: " + n + "px;\r\n"
                "  font-family: Verdana, Arial, sans-serif;\r\n"
                "  background-color: white;\r\n"
                "  text-align: center;\r\n"
                "  border-style: solid;\r\n"
                "  /* \xea\xee\xec\xec\xe5\xed\xf2\xe0\xf0\xe8\xe9 */\r\n"
                "}\r\n";
    }
    return text;
}
