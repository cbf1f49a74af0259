#include "Snowfall.h"

namespace vis {

void Snowfall::start(DesktopCanvas& canvas) {
    screenWidth_ = canvas.width();
    screenHeight_ = canvas.height();
    canvas.beginFrame();
    for (Flake& flake : flakes_) {
        flake.x = random_.between(0, screenWidth_);
        flake.y = random_.between(0, screenHeight_);
        flake.savedColour = canvas.pixel(flake.x, flake.y);
        flake.period = random_.between(0, 5) + 1;
        flake.fallStep = random_.between(0, flake.period) + 1;
        flake.landingInterval = 30 - random_.between(0, flake.period);
    }
    canvas.endFrame();
    started_ = true;
}

void Snowfall::frame(DesktopCanvas& canvas, int drift) {
    if (!started_ || !canvas.beginFrame())
        return;
    for (Flake& flake : flakes_) {
        if (frameNumber_ % static_cast<std::uint32_t>(flake.period) == 0)
            moveFlake(canvas, flake, drift);
    }
    canvas.endFrame();
    ++frameNumber_;
}

void Snowfall::moveFlake(DesktopCanvas& canvas, Flake& flake, int drift) {
    // Erase, unless something else has painted over the flake since it was drawn.
    if (canvas.pixel(flake.x, flake.y) == kWhite)
        canvas.setPixel(flake.x, flake.y, flake.savedColour);

    std::int64_t nx = flake.x + random_.between(0, 3) - 1 + drift;
    std::int64_t ny = flake.y + flake.fallStep;

    const bool mayLand = frameNumber_ % static_cast<std::uint32_t>(flake.landingInterval) == 0;
    if (mayLand && settlesAt(canvas, nx, ny)) {
        // Snap onto the edge: up a row when the two rows above are alike, else down a row
        // when the two below are.
        if (canvas.pixel(nx, ny - 1) == canvas.pixel(nx, ny - 2))
            ny -= 1;
        else if (canvas.pixel(nx, ny + 1) == canvas.pixel(nx, ny + 2))
            ny += 1;
        nx += drift;
        canvas.setPixel(nx, ny, kWhite);
        canvas.setPixel(nx + 1, ny + 1, kWhite);
        canvas.setPixel(nx - 1, ny + 1, kWhite);
        respawn(canvas, flake);
    } else if (nx < 0 || nx > screenWidth_ || ny > screenHeight_) {
        // One column or row past the screen is still inside: such a flake is invisible there
        // and is re-spawned at its next move.
        respawn(canvas, flake);
    } else {
        flake.savedColour = canvas.pixel(nx, ny);
        canvas.setPixel(nx, ny, kWhite);
        flake.x = nx;
        flake.y = ny;
    }
}

// A flake lands where the row it reaches differs from the row below, in its own column and in
// the columns left and right of it, tested in that order.
bool Snowfall::settlesAt(const DesktopCanvas& canvas, std::int64_t x, std::int64_t y) const {
    for (const std::int64_t column : {x, x - 1, x + 1}) {
        if (canvas.pixel(column, y) == canvas.pixel(column, y + 1))
            return false;
    }
    return true;
}

// A new place near the top of the screen; the flake is drawn at its next move.
void Snowfall::respawn(const DesktopCanvas& canvas, Flake& flake) {
    flake.y = random_.between(0, 10);
    flake.x = random_.between(0, screenWidth_);
    flake.savedColour = canvas.pixel(flake.x, flake.y);
}

} // namespace vis
