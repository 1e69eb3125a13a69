// The three window loops.
#pragma once

// Runs the StartWindow's loop (and from it the whole run). Returns true when the outcome dispatch
// follows, false when the run goes straight to the end sequence (EXIT, a close box).
bool StartWindowLoop();

// The report of a completed run: opened over the hidden StartWindow, left by its button or close
// box; both windows are closed when it returns.
void ReportWindowPhase();
