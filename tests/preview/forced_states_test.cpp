// The sheets the preview gets match the program's attribute wherever a
// style rule's selector says a state, and nowhere else.
#include "core/preview/forced_states.h"

#include <gtest/gtest.h>

namespace {

TEST(ForcedStates, OnlyStyleRulesSelectorsAreMarked)
{
    const struct {
        const char *sheet, *expected;
    } cases[] = {
        {"a:hover { color: red; }", "a:is(:hover, [data-quillbox-hover]) { color: red; }\n"},
        {"A:HOVER, b:focus-visible:not(:Active) {}",
         "A:is(:HOVER, [data-quillbox-hover]), b:is(:focus-visible, [data-quillbox-focus-visible])"
         ":not(:is(:Active, [data-quillbox-active])) {}\n"},
        // Not a state: a longer name, a pseudo-element, a string, a value.
        {"a:hovered, a::hover, [title=':hover'], a:focus-within {}",
         "a:hovered, a::hover, [title=':hover'], a:is(:focus-within, [data-quillbox-focus-within]) {}\n"},
        {"a { content: ':hover'; }", "a { content: ':hover'; }\n"},
        {"@media (hover:hover) { .b:focus { x: y } }",
         "@media (hover:hover) { .b:is(:focus, [data-quillbox-focus]) { x: y } }\n"},
        {".card { &:hover { x: y } }", ".card { &:is(:hover, [data-quillbox-hover]) { x: y } }\n"},
        {"no selector here", "no selector here"},
        // A pseudo-element's own state stays as written; the element's
        // states around it are marked.
        {".x::-webkit-scrollbar-thumb:hover, .y {}", ".x::-webkit-scrollbar-thumb:hover, .y {}\n"},
        {"input::-webkit-slider-thumb:active {}", "input::-webkit-slider-thumb:active {}\n"},
        {"x-a::part(label):hover {}", "x-a::part(label):hover {}\n"},
        {"input::file-selector-button:focus-visible {}", "input::file-selector-button:focus-visible {}\n"},
        {"a:before:hover {}", "a:before:hover {}\n"},
        {"a:hover::before, b::after :focus {}",
         "a:is(:hover, [data-quillbox-hover])::before, b::after :is(:focus, [data-quillbox-focus]) {}\n"},
        {"a:not(:hover)::after {}", "a:not(:is(:hover, [data-quillbox-hover]))::after {}\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withStateMarkers(c.sheet).toStdString(), std::string(c.expected)) << c.sheet;
}

} // namespace
