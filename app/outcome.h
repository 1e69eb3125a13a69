// How a run ends: the outcome dispatch and the one end sequence every road leads through.
#pragma once
#include <string>

// RunOutcome 1: the abort notice, then the StartWindow closes. RunOutcome 2: the report.
void OutcomeDispatch();

// Removes the copy's "sh3.tmp" (after a run that reached the shortcut step) and releases every
// window, image, font and sound. The process then ends with exit code 0.
void EndSequence();

// Sets the file's attributes to normal, then deletes it; a missing file is no error.
void ForceDeleteFile(const std::string& path);

// The whole program: start-up, the run, the outcome, the end. Returns the exit code (always 0).
int RunProgram();
