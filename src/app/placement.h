// Where the main window and its companion go on the screen: a pure function
// of the work area, the windows' frames and their sizes, as a window
// manager's placement policy is. It knows nothing of GTK: the window code
// measures, calls place_companion(), and moves what it returns.
#pragma once

#include <optional>

namespace tessary {

struct rect {
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const rect&) const = default;
};

struct extent {
    int width = 0, height = 0;
    bool operator==(const extent&) const = default;
};

// Whether two rectangles share any pixel.
bool overlaps(const rect& a, const rect& b);
// Whether `inner` lies wholly inside `outer`.
bool inside(const rect& inner, const rect& outer);

// Everything the placement reads. Sizes are outer sizes, with the window
// manager's frame; `main` is where the main window's frame is now.
struct placement_request {
    rect work_area;  // what the window manager leaves for windows
    rect main;       // the main window, frame included
    extent wanted;   // the companion's natural size, frame included
    extent smallest; // the least it can be made, its pictures scaled down
};

// Where both go, frames included. `companion` is never larger than
// `wanted`, and smaller only where the work area has no room for it.
struct placement {
    rect main;
    rect companion;
    bool operator==(const placement&) const = default;
};

// The companion goes beside the main window (right, left, below, above:
// the first side with room for its natural size), inside the work area and
// clear of the main window. Where no side has that room, the main window
// moves to the work area's left edge, its top edge or its top-left corner,
// the first that makes the room; failing that, the companion takes the
// largest room beside the main window (moved or not) that holds its
// smallest size. Only on a work area too small even for that do the two
// overlap, each still inside it as far as its size allows.
placement place_companion(const placement_request& request);

} // namespace tessary
