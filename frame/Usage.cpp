#include "Usage.hpp"

#include "Text850.hpp"

namespace frame {

rt::gui::ProgramTexts programTexts()
{
    using rt::operator""_oem;
    // The pieces of the usage join into one literal, turned into code page 850 as a whole.
    return {
        .name = TARVELLO_PROGRAM,
        .version = TARVELLO_VERSION,
        .usage =
            "Aufruf: " TARVELLO_PROGRAM " [--help | --version]\n"
            "\n"
            "Tarvello 16bit wandelt zwischen sechzehn Schaltern (ein/aus) und einer\n"
            "16-Bit-Zahl um: Schalter setzen und den linken Knopf »Umwandeln« drücken\n"
            "zeigt die Zahl; eine Zahl eingeben und den rechten Knopf drücken stellt die\n"
            "Schalter.\n"
            "\n"
            "  --help      diese Hilfe zeigen und beenden\n"
            "  --version   Programmnamen und Version zeigen und beenden\n"
            "Die Optionen von Qt gelten auch, etwa -platform NAME oder -style NAME.\n"
            "\n"
            "Rückgabewerte:\n"
            "  0    das Fenster wurde geschlossen (auch nach SIGTERM, SIGINT oder SIGHUP)\n"
            "  1    ein Fehler hat das Programm beendet, oder es fehlt eine grafische Sitzung\n"
            "  2    ein unbekanntes Argument\n"
            "  999  die Laufzeitbibliothek ist älter als Version 1.50 (die Shell meldet 231)\n"
            "\n"
            "Beendet ein Fehler das Programm, schreibt es das Fehlerprotokoll MRVERROR.LOG\n"
            "in das Verzeichnis, aus dem es gestartet wurde; ist dieser Name nicht nutzbar,\n"
            "den ersten freien von MRVERROR.001 bis MRVERROR.999.\n"_oem,
    };
}

} // namespace frame
