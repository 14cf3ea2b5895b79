#pragma once
// The game's time source: milliseconds since start, GLUT's elapsed time by
// default. Tests install their own source to run ticks and frames
// deterministically.
using ClockSource = int (*)();

int elapsedMilliseconds();
// nullptr restores GLUT's clock.
void setClockSource(ClockSource source);
