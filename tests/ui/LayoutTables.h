#pragma once

#include <vector>

namespace layout_tables {

// One unit as the layout tables list it.
struct Row {
    const char* name;
    const char* kind;
    int left, top, width, height;
    const char* container;
    const char* state; // letters V, D, F
    const char* text;
    const char* tag;
    const char* pictures; // "WxH" per picture, ";"-separated, empty for none
    const char* events;   // event names, ","-separated
};

extern const std::vector<Row> main;
extern const std::vector<Row> options;
extern const std::vector<Row> properties;
extern const std::vector<Row> about;
extern const std::vector<Row> picks;

} // namespace layout_tables
