#include "i18n/text_rows.h"

namespace calorix::i18n {
namespace {

constexpr std::string_view kRows[] = {
    // Main window menus and actions; 15 also captions the about box.
    /* 0 */ "Datei",
    /* 1 */ "Öffnen",
    /* 2 */ "Mehrtägige Auswertung",
    /* 3 */ "Schließen",
    /* 4 */ "Speichern",
    /* 5 */ "Drucken",
    /* 6 */ "Beenden",
    /* 7 */ "Einstellungen",
    /* 8 */ "Neue Fenster",
    /* 9 */ "Aktuelles Fenster",
    /* 10 */ "Sprachauswahl",
    /* 11 */ "Fenster",
    /* 12 */ "Überlappend",
    /* 13 */ "Übereinander",
    /* 14 */ "Alle minimieren",
    /* 15 */ "Info",

    // Evaluation window caption. 17..21 are pieces of a composed caption and
    // carry their own blanks.
    /* 16 */ "Neu",
    /* 17 */ "Auswertung vom ",
    /* 18 */ "Auswertung vom ",
    /* 19 */ " bis ",
    /* 20 */ ". (",
    /* 21 */ " Dateien gefunden)",

    // Evaluation window labels and its spreadsheet action.
    /* 22 */ "Angezeigtes Zeitfenster",
    /* 23 */ "Bildlaufleiste",
    /* 24 */ "In Excel öffnen",

    // Span choice.
    /* 25 */ "1 Stunde",
    /* 26 */ "3 Stunden",
    /* 27 */ "8 Stunden",
    /* 28 */ "1 Tag",
    /* 29 */ "1 Monat",

    // Settings dialog (37 and 41 are not shown anywhere).
    /* 30 */ "Graphik- und Anzeigeoptionen",
    /* 31 */ "Linienbreite",
    /* 32 */ "Skalierung Y-Achse",
    /* 33 */ "dynamisch",
    /* 34 */ "fixiert",
    /* 35 */ "Min",
    /* 36 */ "Max",
    /* 37 */ "Ausgänge anzeigen als:",
    /* 38 */ "Anzeigen als:",
    /* 39 */ "Balken",
    /* 40 */ "Linien",
    /* 41 */ "Diagramm Überschrift",
    /* 42 */ "Ausgabe Überschrift",
    /* 43 */ "Standard",
    /* 44 */ "Abbrechen",
    /* 45 */ "OK",

    // Evaluation window headline and group captions.
    /* 46 */ "Auswählbare Messwerte",
    /* 47 */ "Eingänge",
    /* 48 */ "Weitere Messwerte",
    /* 49 */ "Ausgänge",

    // Message box captions.
    /* 50 */ "Frage",
    /* 51 */ "Fehler",
    /* 52 */ "Warnung",
    /* 53 */ "Information",

    // Not shown anywhere.
    /* 54 */ "Datum",
    /* 55 */ "Firma",

    // Default series names, in channel slot order.
    /* 56 */ "Temperatur Sensor 1",
    /* 57 */ "Temperatur Sensor 2",
    /* 58 */ "Temperatur Sensor 3",
    /* 59 */ "Temperatur Sensor 4",
    /* 60 */ "Temperatur Sensor 5",
    /* 61 */ "Temperatur Sensor 6",
    /* 62 */ "Temperatur Direct Sensor",
    /* 63 */ "Durchfluss",
    /* 64 */ "Thermische Leistung",
    /* 65 */ "Summe Durchfluss",
    /* 66 */ "Summe Energie",
    /* 67 */ "Ausgang 1",
    /* 68 */ "Ausgang 2",
    /* 69 */ "Ausgang 3",
    /* 70 */ "Störmelde Ausgang",

    // About box version line and file dialog filter names.
    /* 71 */ "Version",
    /* 72 */ "Log-Dateien",
    /* 73 */ "Bild-Dateien",
    /* 74 */ "Alle Dateien",

    // Multi-day dialog.
    /* 75 */ "Von Datum",
    /* 76 */ "Bis Datum",
    /* 77 */ "Durchsuchen...",
    /* 78 */ "Auswerten",
    /* 79 */ "Drücken Sie die Esc-Taste zum Abbrechen.",
    /* 80 */ "Abbruch durch Benutzer.",

    // Questions and messages (94 is not shown anywhere).
    /* 81 */
    "Einstellungen wurden übernommen. Sollen diese Einstellungen auch für "
    "zukünftige Auswertungen gespeichert werden?",
    /* 82 */
    "Einstellungen wurden gespeichert. Sollen diese Einstellungen für alle "
    "aktuell geöffneten Auswertungen übernommen werden?",
    /* 83 */ "Bitte öffnen Sie zuerst eine Log-Datei (*.csv).",
    /* 84 */ "Fehler beim Öffnen der Datei.",
    /* 85 */ "Die angegebene Datei enthält keine Messwerte.",
    /* 86 */ "Die angegebene Datei ist keine gültige Log-Datei.",
    /* 87 */
    "Es wurden keine Dateien gefunden, bitte überprüfen Sie ihre Pfadangaben "
    "und versuchen Sie es erneut.",
    /* 88 */
    "Die angegebenen Dateinamen beinhalten keine gültige Datums-Angabe.",
    /* 89 */ "Für Log-Dateien ist nur die Endung '.csv' zugelassen.",
    /* 90 */ "Die ausgewählte Anfangs-Datei lässt sich keinem Datum zuordnen.",
    /* 91 */ "Die ausgewählte End-Datei lässt sich keinem Datum zuordnen.",
    /* 92 */ "Datum der End-Datei liegt vor dem Datum der Anfangs-Datei.",
    /* 93 */ "Sie haben nur 1 Tag ausgewählt. Einfache Auswertung gestartet.",
    /* 94 */ "Datensatz unvollständig.",
    /* 95 */
    "Zugriff auf Ini-Datei fehlgeschlagen. Einstellungen können nicht "
    "gespeichert werden.",
    /* 96 */
    "Sie haben bereits die maximale Anzahl Auswertungen geöffnet. Soll eine "
    "neue Auswertung geöffnet werden? Hinweis: Die aktuelle Auswertung geht "
    "dabei verloren.",
    /* 97 */
    "Es konnte kein weiteres Auswertungs-Fenster erzeugt werden. "
    "Möglicherweise steht nicht genügend Arbeitsspeicher zur Verfügung. Bitte "
    "schließen Sie unbenutzte Anwendungen und versuchen Sie es erneut.",
    /* 98 */
    "Fehler beim Erzeugen der Datenstruktur. Ursache ist vermutlich ein zu "
    "geringer Arbeitsspeicher. Bitte schließen Sie unbenutzte Anwendungen und "
    "versuchen Sie es erneut.",
    /* 99 */
    "Excel.exe konnte nicht gefunden werden, bitte wählen Sie den Pfad zu "
    "Excel manuell aus.",
    /* 100 */
    "Starten von Excel fehlgeschlagen. Datei muss manuell geöffnet werden.",
    /* 101 */ "Drucken nicht möglich.",
    /* 102 */ "Keine Daten vorhanden.",
    /* 103 */ "Bitte geben Sie einen Bezeichner ein.",
    /* 104 */ "Bitte geben Sie für die Werte der Y-Achse nur Zahlen an.",
    /* 105 */
    "Ungültige Linienbreite. Bitte geben Sie eine Zahl zwischen 1 und 99 ein.",

    // About box. The disclaimer is 106, a blank and 107.
    /* 106 */
    "Diese Software ist Freeware. Sie wird kostenlos verbreitet und darf "
    "kopiert, benutzt und an Dritte weitergegeben werden. Änderungen an der "
    "Software sind nur in Absprache mit den Autoren zulässig. Die Software "
    "darf nur vollständig und unverändert, mit allen Urheberrechts- und "
    "sonstigen Schutzvermerken, weitergegeben werden. Ein kommerzieller "
    "Vertrieb, allein oder als Teil eines anderen Produkts, bedarf der "
    "vorherigen schriftlichen Genehmigung der Autoren. Die Software wird ohne "
    "jegliche ausdrückliche oder stillschweigende Gewährleistung zur "
    "Verfügung gestellt. Die Benutzung erfolgt auf eigene Gefahr. Die Autoren "
    "und Rechteinhaber haften nur für Vorsatz und grobe Fahrlässigkeit; "
    "weitergehende Ansprüche sind ausgeschlossen. Insbesondere haften sie "
    "nicht für Mängel der Software oder für Folgeschäden. Gefundene Fehler "
    "melden Sie bitte den Autoren, damit sie behoben werden können.",
    /* 107 */ "",
    /* 108 */ "Produkt hergestellt für:",
    /* 109 */ "Vereinigte Staaten",
    /* 110 */ "Tel.",
    /* 111 */ "Fax.",
};

// Texts added after the numbered rows.
constexpr std::string_view kAddedRows[] = {
    /* 112 */ "Keine der ausgewählten Dateien konnte geladen werden.",
    /* 113 */ "Einige Dateien konnten nicht geladen werden und wurden ausgelassen:",
    /* 114 */
    "Die Einstellungen konnten nicht gespeichert werden. Sie gelten für neue "
    "Fenster bis zum Programmende. Sollen diese Einstellungen für alle "
    "aktuell geöffneten Auswertungen übernommen werden?",
    // 115: reading a day file stopped early at line %1
    /* 115 */ "Das Lesen endete in Zeile %1, die keinen gültigen Datensatz enthält; die Werte davor werden angezeigt.",
    /* 116 */ "ein",
    /* 117 */ "aus",
    /* 118 */ "Diese Datei gibt es nicht mehr; sie wurde aus den zuletzt geöffneten Dateien entfernt:",
    /* 119 */ "1 Jahr",
    /* 120 */ "Pro Monat",
    /* 121 */ "Vergleichen mit",
    /* 122 */ "(keiner)",
    /* 123 */ "Übersicht",
    /* 124 */ "Minimum",
    /* 125 */ "Maximum",
    /* 126 */ "Zeitpunkt des Maximums",
    /* 127 */ "Mittelwert",
    /* 128 */ "Betriebsstunden",
    /* 129 */ "Tage ohne Datei",
    /* 130 */ "Tagessummen exportieren...",
    /* 131 */ "Monatssummen exportieren...",
    /* 132 */ "CSV-Dateien",
    /* 133 */ "Bester Tag",
    /* 134 */
    "Die Datensätze dieser Datei tragen das Datum %1, das außerhalb der Monate der Auswertung liegt; die Datei wurde "
    "ausgelassen.",
    /* 135 */ "Die Spalten dieser Datei weichen von denen der ersten Datei ab; die Datei wurde ausgelassen.",
    /* 136 */ "Das Bild „%1“ konnte nicht gespeichert werden: %2",
    /* 137 */ "Die Datei „%1“ konnte nicht geschrieben werden: %2",
    /* 138 */ "Interner Fehler",
    /* 139 */ "Haken Sie links einen Messwert an, um ihn anzuzeigen",
    /* 140 */ "das Diagramm hat keine Größe",
    /* 141 */ "das Bild konnte nicht geschrieben werden",
    /* 142 */ "Excel-Arbeitsmappen",
    /* 143 */ "Bitte wählen Sie eine Tagesdatei in diesem Ordner.",
    /* 144 */ "Diese Datei existiert nicht.",
    /* 145 */ "Neu laden",
    /* 146 */ "Zurückspringen",
    /* 147 */ "Zurückblättern",
    /* 148 */ "Vorblättern",
    /* 149 */ "Vorspringen",
    /* 150 */ "Diagramm der Messwerte",
    /* 151 */ "Diagramm der Ausgänge",
    /* 152 */ "Farbe",
    /* 153 */ "Befunde",
    /* 154 */ "Keine Befunde in den geladenen Tagen.",
    /* 155 */ "Zeitraum",
    /* 156 */ "Befund",
    /* 157 */ "Kanal",
    /* 158 */ "Wert",
    /* 159 */ "Kollektorüberhitzung",
    /* 160 */ "Pumpe läuft ohne Ertrag",
    /* 161 */ "Pumpe taktet",
    /* 162 */ "Sensorfehler (Err)",
    /* 163 */ "Wert außerhalb des Messbereichs",
    /* 164 */ "Sensor unverändert",
    /* 165 */ "Störmeldung an",
    /* 166 */ "Aufzeichnungslücke",
    /* 167 */ "Tage ohne Datei",
    /* 168 */ "Wärmeverlust in der Nacht",
    /* 169 */ "(Log-Datei wird verfolgt)",
    /* 170 */ "Heutige Log-Datei verfolgen",
    /* 171 */ "diese Version kann keine SVG-Dateien schreiben (PNG, BMP und PDF schon)",
};

}  // namespace

TextRows GermanRows() { return kRows; }
AddedTextRows GermanAddedRows() { return kAddedRows; }

}  // namespace calorix::i18n
