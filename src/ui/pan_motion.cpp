#include "ui/pan_motion.h"

#include <algorithm>
#include <cstdlib>

namespace quexa::ui {
namespace {

// Closer than this in both directions the pointer shows that nothing moves.
constexpr int kNeutralZone = 5;
constexpr int kSpeedDivisor = 8;

PanMotion::Pointer PointerFor(PanMotion::Direction direction) {
    switch (direction) {
        case PanMotion::Direction::Left:
            return PanMotion::Pointer::Left;
        case PanMotion::Direction::Right:
            return PanMotion::Pointer::Right;
        case PanMotion::Direction::Up:
            return PanMotion::Pointer::Up;
        case PanMotion::Direction::Down:
            return PanMotion::Pointer::Down;
    }
    return PanMotion::Pointer::Neutral;
}

}  // namespace

PanMotion PanMotion::From(QPoint offset) {
    const int dx = std::abs(offset.x());
    const int dy = std::abs(offset.y());
    PanMotion motion;
    motion.distance = std::max(dx, dy) / kSpeedDivisor;
    if (dy < dx) {
        motion.direction = offset.x() <= 0 ? Direction::Left : Direction::Right;
    } else {
        motion.direction = offset.y() <= 0 ? Direction::Up : Direction::Down;
    }
    const bool resting = motion.distance == 0 && dx < kNeutralZone && dy < kNeutralZone;
    motion.pointer = resting ? Pointer::Neutral : PointerFor(motion.direction);
    return motion;
}

}  // namespace quexa::ui
