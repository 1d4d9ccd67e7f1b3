#pragma once

// A place in the section list as assistive technologies see it: a section's header or one of its rows.
struct SectionListPlace {
    int section = -1;
    int row = -1;  // -1: the section's header
    bool isHeader() const { return row < 0; }
};
