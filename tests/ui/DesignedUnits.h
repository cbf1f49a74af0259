#pragma once

#include <vector>

namespace designed_units {

// One unit as the windows' design gives it.
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

} // namespace designed_units
