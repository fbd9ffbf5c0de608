#pragma once

#include "core/sheet/byte_lines.h"

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
        "content: \"\\\"}\";", "'\\'", "\"", "'", "\\", "\\{", // quotes, escaped or not
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

// Flat rules in random layouts: selectors, declarations, comments, blanks
// and line breaks, every brace balanced, no byte the literal scanner drops.
inline QByteArray randomFlatSheetText(unsigned seed, int rules)
{
    static const char *const kSelectors[] = {"p", "div p", "h1,\r\nh2", ".note", "#main", "a:hover", "body",
                                             "ul\tli", "a[title=\"x;y\"]"};
    static const char *const kInside[] = {"color: red;", "margin: 0 auto;", " font-family: Arial, serif; ",
                                          "/* note */", "\r\n", "\r\n\r\n", "\t", ";;", "\xc7\xe0\xe3",
                                          "content: \"\\\"x\";", "content: '\\'';"};
    static const char *const kBetween[] = {"", "\r\n", "/* note */\r\n", "@charset \"x\";\r\n", " "};
    std::mt19937 rng(seed);
    auto pick = [&rng](auto &items) {
        return items[std::uniform_int_distribution<size_t>(0, std::size(items) - 1)(rng)];
    };
    QByteArray text;
    for (int i = 0; i < rules; ++i) {
        text += QByteArray(pick(kBetween)) + pick(kSelectors) + " {";
        for (int d = std::uniform_int_distribution<int>(0, 4)(rng); d > 0; --d)
            text += pick(kInside);
        text += "}\r\n";
    }
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

// A sheet of today: 800 components, each with a nested rule and a state,
// colours in oklch() and color-mix(): 1,600 style rules, half of them
// nested, about 240 KB.
inline QByteArray nestedSheetText()
{
    QByteArray text;
    for (int i = 0; i < 800; ++i) {
        const QByteArray n = QByteArray::number(i);
        text += "@layer components {\n  .card" + n + " {\n    color: oklch(55% 0.2 " + n + ");\n"
                "    padding: var(--pad, 1rem);\n    border: 1px solid #dee2e6;\n"
                "    background: color-mix(in oklab, white 80%, oklch(60% 0.1 " + n + "));\n"
                "    & .title:hover, &[aria-current=\"page\"] {\n      text-decoration: underline;\n"
                "      color: light-dark(#123456, #abcdef);\n      font-weight: 600;\n    }\n  }\n}\n";
    }
    return text;
}
