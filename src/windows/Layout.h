#pragma once

#include <QWidget>

#include <initializer_list>

// The windows' layout tables in twips (see Twips.h).
namespace windows {

// One row of a window's layout table: where a control sits, in twips of its container.
struct Placement {
    QWidget* control;
    QWidget* container;
    double left, top, width, height;
};

// Puts every control in its container at its place. The table lists each container's controls
// from front to back, so the first stays on top.
void applyLayout(std::initializer_list<Placement> table);

} // namespace windows
