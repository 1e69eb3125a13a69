#include "wizard/sound.h"
#include "assets/assets.h"
#include "ui/windows.h"

#include <dsound.h>

#include <cstring>

namespace {

typedef HRESULT(WINAPI* DirectSoundCreateFunction)(LPCGUID, LPDIRECTSOUND*, LPUNKNOWN);

HMODULE gDirectSoundLibrary;
IDirectSound* gDevice;
IDirectSoundBuffer* gSound0;
bool gDeviceTried;

unsigned long ReadLittle32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | ((unsigned long)p[3] << 24);
}

unsigned ReadLittle16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}

// Opens the default device once; a machine without one is not asked again.
IDirectSound* SoundOutput() {
    if (gDevice || gDeviceTried) return gDevice;
    gDeviceTried = true;
    gDirectSoundLibrary = LoadLibraryA("DSOUND.DLL");
    if (!gDirectSoundLibrary) return nullptr;
    auto create =
        (DirectSoundCreateFunction)(void*)GetProcAddress(gDirectSoundLibrary, "DirectSoundCreate");
    IDirectSound* device = nullptr;
    if (!create || FAILED(create(nullptr, &device, nullptr)) || !device) return nullptr;
    HWND owner = WindowHandle(WINDOW_START);
    if (FAILED(device->SetCooperativeLevel(owner ? owner : GetDesktopWindow(), DSSCL_NORMAL))) {
        device->Release();
        return nullptr;
    }
    gDevice = device;
    return gDevice;
}

void ReleaseSound0() {
    if (!gSound0) return;
    gSound0->Stop();
    gSound0->Release();
    gSound0 = nullptr;
}

// Copies the samples into the buffer; both halves of the lock are filled when the buffer wraps.
bool FillBuffer(IDirectSoundBuffer* buffer, const WaveParts& wave) {
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstBytes = 0, secondBytes = 0;
    if (FAILED(buffer->Lock(0, (DWORD)wave.sampleBytes, &first, &firstBytes, &second, &secondBytes,
                            0)))
        return false;
    size_t copied = firstBytes < wave.sampleBytes ? firstBytes : wave.sampleBytes;
    memcpy(first, wave.samples, copied);
    if (second && secondBytes) {
        size_t rest = wave.sampleBytes - copied;
        memcpy(second, wave.samples + copied, rest < secondBytes ? rest : secondBytes);
    }
    buffer->Unlock(first, firstBytes, second, secondBytes);
    return true;
}

} // namespace

bool ParseWave(const unsigned char* data, size_t size, WaveParts* parts) {
    if (!data || size < 12 || memcmp(data, "RIFF", 4) != 0 || memcmp(data + 8, "WAVE", 4) != 0)
        return false;
    unsigned long riffEnd = ReadLittle32(data + 4);
    size_t end = riffEnd < size - 8 ? riffEnd + 8 : size;
    bool haveFormat = false;
    *parts = WaveParts();
    for (size_t at = 12; at + 8 <= end;) {
        const unsigned char* chunk = data + at;
        size_t length = ReadLittle32(chunk + 4);
        size_t available = end - at - 8;
        if (memcmp(chunk, "fmt ", 4) == 0) {
            if (length < 16 || length > available) return false;
            parts->format.wFormatTag = (WORD)ReadLittle16(chunk + 8);
            parts->format.nChannels = (WORD)ReadLittle16(chunk + 10);
            parts->format.nSamplesPerSec = ReadLittle32(chunk + 12);
            parts->format.nAvgBytesPerSec = ReadLittle32(chunk + 16);
            parts->format.nBlockAlign = (WORD)ReadLittle16(chunk + 20);
            parts->format.wBitsPerSample = (WORD)ReadLittle16(chunk + 22);
            parts->format.cbSize = 0;
            haveFormat = true;
        } else if (memcmp(chunk, "data", 4) == 0) {
            parts->samples = chunk + 8;
            // A sound cut short still plays what is there.
            parts->sampleBytes = length < available ? length : available;
        }
        if (length > available) break;
        at += 8 + length + (length & 1);
    }
    const WAVEFORMATEX& f = parts->format;
    return haveFormat && parts->samples && parts->sampleBytes >= 4 &&
           f.wFormatTag == WAVE_FORMAT_PCM && f.nChannels >= 1 && f.nSamplesPerSec > 0 &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) && f.nBlockAlign > 0;
}

bool PlayWave(const unsigned char* data, size_t size) {
    WaveParts wave;
    if (!ParseWave(data, size, &wave) || wave.sampleBytes > DSBSIZE_MAX) return false;
    IDirectSound* device = SoundOutput();
    if (!device) return false;
    ReleaseSound0();
    DSBUFFERDESC description = {};
    description.dwSize = sizeof description;
    // Heard even while the copy program's window has the focus.
    description.dwFlags = DSBCAPS_GLOBALFOCUS;
    description.dwBufferBytes =
        (DWORD)(wave.sampleBytes - wave.sampleBytes % wave.format.nBlockAlign);
    description.lpwfxFormat = &wave.format;
    IDirectSoundBuffer* buffer = nullptr;
    if (FAILED(device->CreateSoundBuffer(&description, &buffer, nullptr)) || !buffer) return false;
    wave.sampleBytes = description.dwBufferBytes;
    if (!FillBuffer(buffer, wave) || FAILED(buffer->Play(0, 0, 0))) {
        buffer->Release();
        return false;
    }
    gSound0 = buffer;
    return true;
}

void PlayCompletionSound() {
    PlayWave(CompletionSound, CompletionSoundSize());
}

void ReleaseSound() {
    ReleaseSound0();
    if (gDevice) gDevice->Release();
    gDevice = nullptr;
    if (gDirectSoundLibrary) FreeLibrary(gDirectSoundLibrary);
    gDirectSoundLibrary = nullptr;
    gDeviceTried = false;
}
