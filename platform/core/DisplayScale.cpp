#include "platform/core/DisplayScale.h"

#include <cmath>

namespace penrica {

namespace {

constexpr double kStep = 0.25;

bool Fits(const DisplayFacts& facts, ScreenPixels client, double scale) {
    // A tiny tolerance: 976 × 1.25 is 1220 also when the scale came as 1.2499999.
    const auto extent = [scale](int logical) { return std::ceil(logical * scale - 1e-6); };
    return extent(client.width) + facts.frame.width <= facts.workArea.width &&
           extent(client.height) + facts.frame.height <= facts.workArea.height;
}

} // namespace

double FittingScale(const DisplayFacts& facts, ScreenPixels client) {
    const double system = facts.systemScale;
    if (!(system > 0.0) || !std::isfinite(system)) {
        return 1.0;
    }
    if (system <= 1.0 || Fits(facts, client, system)) {
        return system;
    }
    // The quarter steps below the system's scale: 1.75 goes on with 1.5, 1.6 with 1.5.
    double step = std::floor(system / kStep + 1e-9) * kStep;
    if (step >= system - 1e-9) {
        step -= kStep;
    }
    for (; step > 1.0 + 1e-9; step -= kStep) {
        if (Fits(facts, client, step)) {
            return step;
        }
    }
    return 1.0;
}

} // namespace penrica
