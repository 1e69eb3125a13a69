// This file is UTF-8; it is compiled with -fexec-charset=CP1252 so the strings land in the
// binary as Windows-1252 bytes, which is what the ANSI window and dialog calls expect.
#include "app/texts.h"
#include "app/state.h"

std::string TextTable[TEXT_LANGUAGES * TEXT_SLOTS];

namespace {

struct StoredText {
    int index;
    const char* text;
};

// German entries first, then English, in ascending index order; the first row's entries go to
// language 0 until the index sequence starts over.
const StoredText kTexts[] = {
    // German
    {0,
         "SH3 Duplora 2014  -  © Kormor & Duplora-Team"},
    {1,
         "SH3 Duplora 2014 ...wird ausgeführt..."},
    {2,
         "SH3 Duplora 2014 - Information zu SH3-Mehrfachinstallationen"},
    {3,
         "|"
         "SH3 Duplora kopiert bestehende UBI Original SH3-Installationen vollständig.|"
         "Danach ist die SH3-Kopie mittels Verknüpfung auf Desktop spielbereit!|"
         "|"
         "Wir empfehlen dringend nur neue, ungespielte SH3-Installationen zu kopieren.|"
         "Also eine <UBI Original SilentHunterIII> -Installation, welche noch nie gestartet wurde.|"
         "|"
         "       » Eine SH3-Spielkopie kann bis zu 20 GB freier Speicherplatz benötigen|"
         "       » Der Kopiervorgang kann bis zu 10 oder 15 Minuten dauern|"
         "|"
         "Tipp für SH3 Mod-Spieler (z.B. mit Grossmod Kormor, CCOM, NYGM, GWX, WAC):|"
         "Aktivierte Mods verlangsamen den Kopiervorgang und werden unnötig doppelt kopiert.|"
         "Vor einer Kopie empfehlen wir ALLE AKTIVEN MODS ZU DEAKTIVIEREN!|"
         "|"
         "|"
         "Wähle nun eine SH3-Originalinstallation aus..."},
    {4,
         "© SH3 Duplora 2014  -  Hilfe & Support: duplora@example.org  -  Forum: www.subsim.com"},
    {10,
         "Welche SH3-Originalinstallation soll kopiert werden?"},
    {11,
         "Welche  <SilentHunterIII>  Installation soll kopiert werden?|"
         "|"
         "Wähle den Ordner aus..."},
    {12,
         "(Nach UBI SH3 Original Installation lautet der Ordnername <SilentHunterIII>)|"
         "|"
         "Wähle nun den Ordner der Original SH3-Installation aus..."},
    {20,
         "Die gewählte SH3-Installation ist gültig!"},
    {21,
         "Datenmenge: "},
    {22,
         "|"
         "|"
         "Wohin soll die SH3-Installation kopiert werden?|"
         "|"
         "Wichtig:|"
         "Ab Windows 7 darf das Spiel NICHT mehr unter|"
         "Windows Systemordner <C:\\Programme (x86)\\>|"
         "installiert/abgespeichert werden!|"
         "|"
         "Wähle nun erstmal nur den SPEICHERORT für die Kopie aus,|"
         "z.B. Laufwerk C: ..."},
    {23,
         "Auf welchem Laufwerk soll die SH3-Kopie erstellt werden?|"
         "Wähle an dieser Stelle nur das Laufwerk aus!|"
         "(Ein Ordnername für die SH3-Kopie wird später erstellt)..."},
    {30,
         "Laufwerk bzw. Speicherort für die neue SH3-Kopie lautet:"},
    {31,
         "|"
         "|"
         "Die SH3-Kopie benötigt ein Ordnername.|"
         "Der Ordnername darf keine Leerzeichen oder Umlaute enthalten!|"
         "|"
         "Wähle nun ein Ordnername für diese SH3-Kopie.|"
         "Gib im nächsten Fenster einen Ordnername Deiner Wahl ein..."},
    {40,
         "Gib einen NEUEN Ordnername ein!"},
    {41,
         "Wie soll der NEUE Ordnername für die SH3-Kopie lauten?"},
    {50,
         "Angaben vollständig - die SH3-Installation kann kopiert werden!"},
    {51,
         "Die gewählte SH3-Installation kann nun kopiert werden!|"
         "|"
         "WICHTIG:|"
         "- Der nachvollgende Kopiervorgang kann nicht abgebrochen werden!|"
         "|"
         "- In der Zeit kann die Fensteranzeige flackern!|"
         "|"
         "- In der Zeit empfehlen wir DRINGEND KEINERLEI ARBEITEN|"
         "   AM RECHNER AUSZUFÜHREN!|"
         "|"
         "- Der Kopiervorgang kann bin zu 15 Minuten dauern!|"
         "|"
         "- Warte ab bis die Bestätigung der Kopie angezeigt wird!|"
         "|"
         "|"
         "Soll der Kopiervorgang jetzt gestartet werden?"},
    {60,
         "Der Kopiervorgang wird soeben ausgeführt und kann bis zu 15 Minuten dauern.|"
         "Wir empfehlen dringend während dieser Zeit keine weiteren Arbeiten am Rechner auszuführen! Der Kopiervorgang darf nicht abgebrochen werden!"},
    {61,
         "Der Kopiervorgang ist unvollständig!"},
    {62,
         "Die SH3-Installation wurde NICHT vollständig kopiert!|"
         "Die Kopie ist nicht spielbereit und wird nicht eingerichtet.|"
         "|"
         "      Was bereits kopiert wurde, liegt unter:|"
         "      » "},
    {63,
         "|"
         "|"
         "      Erster Fehler des Kopierprogramms:|"
         "      » "},
    {70,
         "Kopiervorgang erfolgreich abgeschlossen!"},
    {71,
         "Die SH3-Installation wurde erfolgreich kopiert!|"
         "|"
         "Zum speichern der Spielstände wird ein Ordnername benötigt.|"
         "Der Name ist auf drei Zeichen (Ziffern/Zahlen) limitiert.|"
         "|"
         "Benenne nun den Ordner für die Spielstände dieser SH3-Kopie..."},
    {72,
         "Ordnername für Spielstände eingeben..."},
    {73,
         "Wie soll der neue Ordner lauten (DREI Zeichen/Ziffern)?"},
    {80,
         "SH3 Duplora 2014 - Der Kopiervorgang wurde erfolgreich abgeschlossen!"},
    {81,
         "|"
         "Die SH3-Installation wurde erfolgreich kopiert.|"
         "|"
         "|"
         "      Die SH3-Kopie wurde angelegt unter:|"
         "      » "},
    {82,
         "|"
         "|"
         "      Mit erstem Spielstart werden die Spieldateien gespeichert unter:|"
         "      » "},
    {83,
         "|"
         "|"
         "      Für diese SH3-Kopie wurde auf Desktop eine neue Verknüpfung angelegt:|"
         "      » "},
    {84,
         "|"
         "|"
         "|"
         "Beende jetzt dieses Programm und starte die SH3-Spielkopie nun über die neue Desktop-Verknüpfung!|"
         "|"
         "|"
         "Viel Spass :-)"},
    {85,
         "© SH3 Duplora 2014  -  Hilfe & Support: duplora@example.org  -  Forum: www.subsim.com"},
    {90,
         "SH3 Duplora 2014 wurde abgebrochen!"},
    {91,
         "SH3 Duplora 2014 wird beendet!"},
    // English
    {0,
         "SH3 Duplora 2014  -  © Kormor & Duplora-Team"},
    {1,
         "SH3 Duplora 2014 ...is being executed..."},
    {2,
         "SH3 Duplora 2014 - Informations on multiple SH3-installations"},
    {3,
         "|"
         "With SH3 Duplora you can select an existing SH3-installation,|"
         "copy it entirely and have it activated ready-for-use via shortcuts!|"
         "|"
         "We strongly recommend you to use a freshly installed SH3-1.4b-installation.|"
         "I.e. a newly installed SH3 that has not been run yet.|"
         "|"
         "       » For each copy up to 20 GB disk-space is needed.|"
         "       » The copy process can last 10 to 15 minutes.|"
         "|"
         "Tip for SH3 Mod-Player (e.g. Bigmods Kormor, CCOM, NYGM, GWX, WAC):|"
         "Activated Mods will slow down the copy process and will be copied needlessly twice.|"
         "Therefore we advice to DEACTIVATE ALL ACIVCATED MODS!|"
         "|"
         "|"
         "Select the SH3-Original installation ..."},
    {4,
         "© SH3 Duplora 2014  -  Hilfe & Support: duplora@example.org  -  Forum: www.subsim.com"},
    {10,
         "Which SH3-original-installation shall be copied?"},
    {11,
         "Which <SilentHunterIII> installation shall be copied?|"
         "|"
         "Please Select the folder..."},
    {12,
         "(The folder-name usually appears like <SilentHunterIII>)|"
         "|"
         "Please Select the folder of the SH3-installation... "},
    {20,
         "The selected SH3-installation can now be copied."},
    {21,
         "Datavolume: "},
    {22,
         "|"
         "|"
         "Where shall that SH3-installation be copied?|"
         "|"
         "Important: Since Windows 7 UBI's SH3-Game MUST NOT|"
         "be installed/saved in the Windows-Systemfolder|"
         "<C:\\Programs (x86)>|"
         "|"
         "Please select the target-partition for that copy..."},
    {23,
         "On which drive shall that SH3-installation be created?|"
         "|"
         "Please select the target-drive!|"
         "( A folder-name will be given later)..."},
    {30,
         "The location of the new copy is:"},
    {31,
         "|"
         "|"
         "Every copy of SH3 requires an own name!|"
         "This name may not contain spaces or special characters.|"
         "|"
         "Example:|"
         "If this copy is going to be used for multiplayer/online-gaming|"
         "you can choose:   SilentHunterIII_MultiPlayer|"
         "|"
         "Please enter the folder-name of your choice in the next window."},
    {40,
         "Please enter the new name of the folder!"},
    {41,
         "How do you want to call the new SH3-copy?"},
    {50,
         "The SH3-installation can now be copied!"},
    {51,
         "The SH3-installation can now be copied.|"
         "|"
         "This can take up to 15 minutes.|"
         "|"
         "During this time we strongly recommend NOT to use your computer for other tasks!|"
         "|"
         "The copy-process may NOT be aborted!|"
         "WAIT UNTIL THE CONFIRMATION OF THE COPY POPS UP|"
         "|"
         "|"
         "|"
         "Do you want to start the copy-process now?"},
    {60,
         "The copy-process is being executed now and can take up to 15 minutes.|"
         "We strongly recommend NOT to use your computer for other tasks during the process! The copy-process may NOT be aborted!"},
    {61,
         "The copy-process is incomplete!"},
    {62,
         "The SH3-installation has NOT been copied completely!|"
         "The copy is not ready for use and will not be set up.|"
         "|"
         "      What has been copied so far is located at:|"
         "      » "},
    {63,
         "|"
         "|"
         "      First error of the copy-program:|"
         "      » "},
    {70,
         "The copy-process has been completed successfully."},
    {71,
         "The selected SH3-installation has been copied successfully.|"
         "|"
         "For the savegame-data of this copy a separate folder is required.|"
         "This folder's name is limited to THREE digits (numbers/characters).|"
         "|"
         "Please enter a folder-name for the savegame-data of this new copy of SH3..."},
    {72,
         "Enter folder-name for savegame-data"},
    {73,
         "Enter the new folder-name (THREE numbers/characters)"},
    {80,
         "SH3 Duplora 2014 - The copy-process has been completed successfully."},
    {81,
         "|"
         "The selected SH3-installation has been copied successfully.|"
         "|"
         "|"
         "      The new copy of SH3 is located at:|"
         "      » "},
    {82,
         "|"
         "|"
         "      After you run SH3 the savegame-data is stored at:|"
         "      » "},
    {83,
         "|"
         "|"
         "      New SH3-desktop-links have been created:|"
         "      » "},
    {84,
         "|"
         "|"
         "|"
         "You can now run your new SH3-copy using the desktop-links!|"
         "|"
         "Have fun :-)"},
    {85,
         "© SH3 Duplora 2014  -  Hilfe & Support: duplora@example.org  -  Forum: www.subsim.com"},
    {90,
         "SH3 Duplora 2014 has been aborted!"},
    {91,
         "SH3 Duplora 2014 will now be ended!"},
};

} // namespace

void FillTextTable() {
    for (std::string& slot : TextTable) slot.clear();
    int language = 0;
    int previous = -1;
    for (const StoredText& t : kTexts) {
        if (t.index <= previous) language++;
        previous = t.index;
        TextTable[language * TEXT_SLOTS + t.index] = t.text;
    }
}

std::string GetText(int index) {
    if (index < 0 || index >= TEXT_SLOTS || Language < 0 || Language >= TEXT_LANGUAGES) return "";
    std::string text = TextTable[Language * TEXT_SLOTS + index];
    for (char& c : text)
        if (c == '|') c = '\n';
    return text;
}
