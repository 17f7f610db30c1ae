// The placement of the main window and its companion: rectangles in,
// rectangles out. Start at place_companion().
#include "placement.h"

#include <algorithm>
#include <array>

namespace tessary {

namespace {

constexpr int gap = 12; // between the two windows' frames

enum class side { right, left, below, above };
constexpr std::array sides = {side::right, side::left, side::below, side::above};

// `r` moved, not resized, to lie inside `area` as far as its size allows.
rect moved_into(rect r, const rect& area) {
    r.x = std::clamp(r.x, area.x, std::max(area.x, area.right() - r.width));
    r.y = std::clamp(r.y, area.y, std::max(area.y, area.bottom() - r.height));
    return r;
}

// The strip of the work area on one side of the main window.
rect room_beside(const rect& main, const rect& area, side s) {
    switch (s) {
    case side::right:
        return {main.right() + gap, area.y, area.right() - main.right() - gap, area.height};
    case side::left: return {area.x, area.y, main.x - gap - area.x, area.height};
    case side::below:
        return {area.x, main.bottom() + gap, area.width, area.bottom() - main.bottom() - gap};
    case side::above: return {area.x, area.y, area.width, main.y - gap - area.y};
    }
    return {};
}

bool holds(const rect& room, extent size) {
    return size.width <= room.width && size.height <= room.height;
}

// The companion of `size` in `room`: against the main window, and level
// with it where the room allows.
rect put_in(const rect& room, extent size, const rect& main, side s) {
    rect r{main.x, main.y, size.width, size.height};
    if (s == side::right) r.x = room.x;
    if (s == side::left) r.x = room.right() - size.width;
    if (s == side::below) r.y = room.y;
    if (s == side::above) r.y = room.bottom() - size.height;
    return moved_into(r, room);
}

// The main window where it is, then at the work area's left edge, its top
// edge and its top-left corner; each inside the work area.
std::array<rect, 4> main_places(const placement_request& q) {
    const rect here = moved_into(q.main, q.work_area);
    const rect& area = q.work_area;
    return {here, moved_into({area.x, here.y, here.width, here.height}, area),
            moved_into({here.x, area.y, here.width, here.height}, area),
            moved_into({area.x, area.y, here.width, here.height}, area)};
}

} // namespace

bool overlaps(const rect& a, const rect& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

bool inside(const rect& inner, const rect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

placement place_companion(const placement_request& q) {
    const std::array<rect, 4> mains = main_places(q);
    for (const rect& main : mains)
        for (const side s : sides) {
            const rect room = room_beside(main, q.work_area, s);
            if (holds(room, q.wanted)) return {main, put_in(room, q.wanted, main, s)};
        }
    // No room for its natural size: the largest room that holds its least.
    std::optional<placement> best;
    long best_area = -1;
    for (const rect& main : mains)
        for (const side s : sides) {
            const rect room = room_beside(main, q.work_area, s);
            if (!holds(room, q.smallest)) continue;
            const extent size{std::min(q.wanted.width, room.width),
                              std::min(q.wanted.height, room.height)};
            const long area = long{size.width} * size.height;
            if (area > best_area) best = {main, put_in(room, size, main, s)}, best_area = area;
        }
    if (best) return *best;
    // A work area too small for both: each inside it, overlapping.
    const extent size{std::min(q.wanted.width, q.work_area.width),
                      std::min(q.wanted.height, q.work_area.height)};
    return {mains[0],
            moved_into({mains[0].right() + gap, mains[0].y, size.width, size.height}, q.work_area)};
}

} // namespace tessary
