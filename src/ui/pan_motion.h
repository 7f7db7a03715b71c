#pragma once

#include <QPoint>

namespace quexa::ui {

// One step of middle-button panning, from where the pointer stands against the pan origin:
// the farther away, the faster; the larger of the two distances picks the direction.
struct PanMotion {
    enum class Direction { Left, Right, Up, Down };
    enum class Pointer { Neutral, Up, Down, Left, Right };

    Direction direction = Direction::Up;
    // Pixels per tick sideways; any non-zero value means one row up or down.
    int distance = 0;
    Pointer pointer = Pointer::Neutral;

    static PanMotion From(QPoint offset);
    bool Horizontal() const {
        return direction == Direction::Left || direction == Direction::Right;
    }

    bool operator==(const PanMotion&) const = default;
};

}  // namespace quexa::ui
