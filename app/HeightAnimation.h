#pragma once

namespace app {

// What one tick of the height animation does to the window.
struct HeightStep {
    int height;
    int top;   // keeps the window centred vertically on its screen
    bool done; // the run has come to rest: the animation timer stops
};

// The spring that grows and shrinks the main window between its collapsed and expanded
// heights, one step per tick of a 5 ms timer. Each tick pulls the velocity towards the target
// by stiffness × error, damps it and rounds it to whole pixels; the run ends on the first tick
// whose rounded step is 0. The arithmetic is single-precision and the rounding exact on
// purpose: the well-known resting heights (354 after expanding, 169 after collapsing, one
// pixel off the target) come from it. The velocity carries over between runs, so a new
// target set mid-run bends the motion instead of restarting it.
class HeightAnimation {
  public:
    static constexpr float ExpandedHeight = 355.0f;
    static constexpr float CollapsedHeight = 168.0f;
    // Heights a window can take; a spring made unstable by its settings stops growing here.
    static constexpr int MaxHeight = 32767;

    void setTarget(float height) { targetHeight_ = height; }

    // One tick from the window's current height on a screen of the given height.
    HeightStep step(int currentHeight, int screenHeight, float stiffness, float damping);

    float targetHeight() const { return targetHeight_; }
    float velocity() const { return heightVelocity_; }
    float error() const { return heightError_; }
    float acceleration() const { return heightAcceleration_; }

  private:
    float targetHeight_ = 0.0f; // 0 until a button first sets it
    float heightVelocity_ = 0.0f;
    float heightError_ = 0.0f;
    float heightAcceleration_ = 0.0f;
};

} // namespace app
