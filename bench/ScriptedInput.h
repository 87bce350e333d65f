#pragma once

#include <glm/glm.hpp>

// A player's input that is the same in every run, frame by frame: walk forward while turning, stop to
// charge a jump, release it and turn on. It stands in for the keyboard and the mouse and enters the
// game where they do.
class ScriptedInput {
public:
    // The cursor starts where mouse look started, so the first frame turns only by the script.
    explicit ScriptedInput(glm::dvec2 startCursor) : cursor(startCursor) {}

    // Hands the next frame's keys and cursor to the player, as the frame's input stage does.
    void steerPlayer(double dt);

private:
    glm::dvec2 cursor;
    int frame = 0;
};
