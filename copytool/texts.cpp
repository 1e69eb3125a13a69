#include "copytool/texts.h"

#include <cstdio>

namespace {

struct Pair {
    const wchar_t* german;
    const wchar_t* english;
};

const Pair kTexts[] = {
    {L"Kopier", L"Kopier"},
    {L"Von:", L"From:"},
    {L"Nach:", L"To:"},
    {L"Dateien werden gezählt ...", L"Counting files ..."},
    {L"Kopiere ...", L"Copying ..."},
    {L"Wird abgebrochen ...", L"Stopping ..."},
    {L"Ordnerzeiten werden gesetzt ...", L"Setting folder times ..."},
    {L"Abbrechen", L"Cancel"},
    {L"Schließen", L"Close"},
    {L"Kopieren wirklich abbrechen?\nBereits kopierte Dateien bleiben erhalten, die halb "
     L"kopierte Datei wird entfernt.",
     L"Do you really want to stop copying?\nFiles already copied are kept; the file being "
     L"copied is removed."},
    {L"Das Kopieren wurde abgebrochen. Die Kopie ist unvollständig.",
     L"Copying was cancelled. The copy is incomplete."},
    {L"Kopieren beendet, aber nicht alles wurde kopiert. Die Kopie ist unvollständig:",
     L"Copying finished, but not everything was copied. The copy is incomplete:"},
    {L"Das Kopieren konnte nicht beginnen:", L"Copying could not start:"},
    {L"Nicht kopiert:", L"Not copied:"},
    {L"Ordnerverknüpfung führt im Kreis, übersprungen", L"folder link leads in a loop, skipped"},
    {L"Ordnerverknüpfung führt in das Ziel, übersprungen",
     L"folder link leads into the destination, skipped"},
    {L"Der Quellordner fehlt oder kann nicht gelesen werden",
     L"The source folder is missing or cannot be read"},
    {L"Der Zielordner kann nicht angelegt werden", L"The destination folder cannot be created"},
    {L"Auf dem Ziellaufwerk ist nicht genug Platz",
     L"There is not enough space on the destination drive"},
};

static_assert(sizeof kTexts / sizeof kTexts[0] == (size_t)TextId::Count, "one pair per text");

} // namespace

const wchar_t* Text(TextId id, bool german) {
    const Pair& pair = kTexts[(int)id];
    return german ? pair.german : pair.english;
}

std::wstring CommandErrorText(CommandError error, bool german) {
    const wchar_t* g = L"";
    const wchar_t* e = L"";
    switch (error) {
    case CommandError::None:
        break;
    case CommandError::MissingSource:
        g = L"Es wurde kein Quellordner angegeben.";
        e = L"No source folder was given.";
        break;
    case CommandError::MissingTarget:
        g = L"Es wurde kein Zielordner angegeben.";
        e = L"No destination folder was given.";
        break;
    case CommandError::BadPattern:
        g = L"Ein Ordner endet nicht mit \\*.* und einem Leerzeichen.";
        e = L"A folder does not end with \\*.* and a blank.";
        break;
    case CommandError::UnclosedQuote:
        g = L"Ein Anführungszeichen wird nicht geschlossen.";
        e = L"A quotation mark is not closed.";
        break;
    case CommandError::NotAbsolute:
        g = L"Ein Ordner ist kein vollständiger Pfad (X:\\... oder \\\\Server\\Freigabe\\...).";
        e = L"A folder is not a full path (X:\\... or \\\\server\\share\\...).";
        break;
    case CommandError::BadCharacter:
        g = L"Ein Ordner enthält ein unzulässiges Zeichen.";
        e = L"A folder contains a character that is not allowed.";
        break;
    case CommandError::BadSegment:
        g = L"Ein Ordner enthält einen leeren oder ungültigen Namensteil.";
        e = L"A folder contains an empty or invalid name part.";
        break;
    case CommandError::UnknownSwitch:
        g = L"Unbekannter Schalter in der Befehlszeile.";
        e = L"Unknown switch on the command line.";
        break;
    case CommandError::SameFolder:
        g = L"Quelle und Ziel sind derselbe Ordner.";
        e = L"Source and destination are the same folder.";
        break;
    case CommandError::TargetHoldsSource:
        g = L"Der Zielordner enthält den Quellordner.";
        e = L"The destination folder contains the source folder.";
        break;
    }
    return german ? g : e;
}

std::wstring FormatCount(uint64_t n, bool german) {
    std::wstring digits = std::to_wstring(n);
    std::wstring out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += german ? L'.' : L',';
        out += digits[i];
    }
    return out;
}

std::wstring FormatBytes(uint64_t bytes, bool german) {
    static const wchar_t* const kUnits[] = {L"KB", L"MB", L"GB", L"TB"};
    if (bytes < 1024) return std::to_wstring(bytes) + L" B";
    double value = (double)bytes / 1024.0;
    int unit = 0;
    while (value >= 1024.0 && unit < 3) {
        value /= 1024.0;
        ++unit;
    }
    wchar_t buf[64];
    if (value < 99.95)
        swprintf(buf, 64, L"%.1f %ls", value, kUnits[unit]);
    else
        swprintf(buf, 64, L"%.0f %ls", value, kUnits[unit]);
    std::wstring text = buf;
    if (german) {
        for (wchar_t& c : text)
            if (c == L'.') c = L',';
    }
    return text;
}

std::wstring FormatDuration(uint64_t seconds) {
    wchar_t buf[64];
    uint64_t h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    if (h > 0)
        swprintf(buf, 64, L"%llu:%02llu:%02llu", (unsigned long long)h, (unsigned long long)m,
                 (unsigned long long)s);
    else
        swprintf(buf, 64, L"%llu:%02llu", (unsigned long long)m, (unsigned long long)s);
    return buf;
}

std::wstring ProgressLine(uint64_t filesDone, uint64_t filesTotal, uint64_t bytesDone,
                          uint64_t bytesTotal, bool german) {
    const wchar_t* of = german ? L" von " : L" of ";
    return FormatCount(filesDone, german) + of + FormatCount(filesTotal, german) +
           (german ? L" Dateien - " : L" files - ") + FormatBytes(bytesDone, german) + of +
           FormatBytes(bytesTotal, german);
}

std::wstring SpeedLine(double bytesPerSecond, uint64_t bytesLeft, bool german) {
    if (bytesPerSecond < 1.0) return L"";
    std::wstring line = FormatBytes((uint64_t)bytesPerSecond, german) + L"/s";
    uint64_t seconds = (uint64_t)((double)bytesLeft / bytesPerSecond + 0.5);
    line += (german ? L" - noch " : L" - ") + FormatDuration(seconds) + (german ? L"" : L" left");
    return line;
}

int ProgressPermille(uint64_t done, uint64_t total) {
    if (total == 0) return 0;
    if (done >= total) return 1000;
    return (int)((double)done * 1000.0 / (double)total);
}
