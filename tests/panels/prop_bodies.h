#pragma once

#include <QByteArray>
#include <QStringList>

// Rule bodies the property table must read, switch and edit exactly, with
// their rows: "name=value", "!" for !important, "~" struck through, "off:"
// switched off, "#" when it cannot be switched off.
struct PropBody {
    QByteArray body;
    QStringList rows;
};

inline const PropBody kPropBodies[] = {
    {"\n  color: red; /* brand */\n  /* spacing */\n  margin: 0;\n", {"color=red", "margin=0"}},
    {" color: red; color: blue; ", {"color=red~", "color=blue"}},
    {" color: red !important; color: blue; ", {"color=red!", "color=blue~"}},
    {" --brand: #0d6efd; --Brand: 1px; ", {"--brand=#0d6efd", "--Brand=1px"}},
    {" color: red; & .b { color: blue; } ", {"color=red"}},
    {" color: red; margin: 0 ", {"color=red", "margin=0"}},
    {" content: \"a;b\"; quotes: '<' '>'; ", {"content=\"a;b\"", "quotes='<' '>'"}},
    {" /* TODO: fix */ color: red; /* margin: 0; */ ", {"color=red", "off:margin=0"}},
    {" color: red /* brand */; padding: 0; ", {"color=red /* brand */#", "padding=0"}},
    {" content: \"*/\"; top: 0; ", {"content=\"*/\"#", "top=0"}},
    {" colr: red; TOP: 0 ! important; ", {"colr=red#", "TOP=0!"}},
};
