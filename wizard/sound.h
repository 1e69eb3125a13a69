// The completion sound through DirectSound, loaded only when a sound is first played. A machine
// without a sound device simply stays silent.
#pragma once
#include <windows.h>
#include <mmreg.h>
#include <cstddef>

// The parts of a RIFF WAVE held in memory: its "fmt " record and its "data" samples.
struct WaveParts {
    WAVEFORMATEX format = {};
    const unsigned char* samples = nullptr;
    size_t sampleBytes = 0;
};

// Finds the "fmt " and "data" chunks; false for anything that is not a playable PCM wave.
bool ParseWave(const unsigned char* data, size_t size, WaveParts* parts);

// Plays the wave once from its start and returns at once; false when it cannot be played.
bool PlayWave(const unsigned char* data, size_t size);

// The program's CompletionSound (sound 0).
void PlayCompletionSound();

// Stops and releases the sound, the sound output and DirectSound itself.
void ReleaseSound();
