#include "i18n/text_rows.h"

namespace calorix::i18n {
namespace {

// Italian is the one language where 17 and 18 differ and where 20 and 21 put
// words around the count: "Analisi dal <date> al <date>. (Trovati <n> file)".

constexpr std::string_view kRows[] = {
    // Main window menus and actions; 15 also captions the about box.
    /* 0 */ "File",
    /* 1 */ "Apri",
    /* 2 */ "Analisi di più giorni",
    /* 3 */ "Chiudi",
    /* 4 */ "Salva",
    /* 5 */ "Stampa",
    /* 6 */ "Esci",
    /* 7 */ "Impostazioni",
    /* 8 */ "Nuove finestre",
    /* 9 */ "Finestra corrente",
    /* 10 */ "Selezione lingua",
    /* 11 */ "Finestra",
    /* 12 */ "A cascata",
    /* 13 */ "In pila",
    /* 14 */ "Riduci tutto a icona",
    /* 15 */ "Informazioni",

    // Evaluation window caption. 17..21 are pieces of a composed caption and
    // carry their own blanks.
    /* 16 */ "Nuovo",
    /* 17 */ "Analisi del ",
    /* 18 */ "Analisi dal ",
    /* 19 */ " al ",
    /* 20 */ ". (Trovati ",
    /* 21 */ " file)",

    // Evaluation window labels and its spreadsheet action.
    /* 22 */ "Intervallo di tempo visualizzato",
    /* 23 */ "Barra di scorrimento",
    /* 24 */ "Apri in Excel",

    // Span choice.
    /* 25 */ "1 ora",
    /* 26 */ "3 ore",
    /* 27 */ "8 ore",
    /* 28 */ "1 giorno",
    /* 29 */ "1 mese",

    // Settings dialog (37 and 41 are not shown anywhere).
    /* 30 */ "Opzioni grafiche e di visualizzazione",
    /* 31 */ "Spessore linea",
    /* 32 */ "Scala asse Y",
    /* 33 */ "dinamica",
    /* 34 */ "fissa",
    /* 35 */ "Min",
    /* 36 */ "Max",
    /* 37 */ "Visualizza uscite come:",
    /* 38 */ "Visualizza come:",
    /* 39 */ "Barre",
    /* 40 */ "Linee",
    /* 41 */ "Titolo del grafico",
    /* 42 */ "Titolo di stampa",
    /* 43 */ "Predefinito",
    /* 44 */ "Annulla",
    /* 45 */ "OK",

    // Evaluation window headline and group captions.
    /* 46 */ "Valori misurati selezionabili",
    /* 47 */ "Ingressi",
    /* 48 */ "Altri valori misurati",
    /* 49 */ "Uscite",

    // Message box captions.
    /* 50 */ "Domanda",
    /* 51 */ "Errore",
    /* 52 */ "Avviso",
    /* 53 */ "Informazione",

    // Not shown anywhere.
    /* 54 */ "Data",
    /* 55 */ "Azienda",

    // Default series names, in channel slot order.
    /* 56 */ "Sensore di temperatura 1",
    /* 57 */ "Sensore di temperatura 2",
    /* 58 */ "Sensore di temperatura 3",
    /* 59 */ "Sensore di temperatura 4",
    /* 60 */ "Sensore di temperatura 5",
    /* 61 */ "Sensore di temperatura 6",
    /* 62 */ "Sensore di temperatura diretto",
    /* 63 */ "Portata",
    /* 64 */ "Potenza termica",
    /* 65 */ "Portata cumulata",
    /* 66 */ "Energia cumulata",
    /* 67 */ "Uscita 1",
    /* 68 */ "Uscita 2",
    /* 69 */ "Uscita 3",
    /* 70 */ "Uscita segnalazione guasti",

    // About box version line and file dialog filter names.
    /* 71 */ "Versione",
    /* 72 */ "File di log",
    /* 73 */ "File immagine",
    /* 74 */ "Tutti i file",

    // Multi-day dialog.
    /* 75 */ "Data iniziale",
    /* 76 */ "Data finale",
    /* 77 */ "Sfoglia...",
    /* 78 */ "Analizza",
    /* 79 */ "Premere il tasto Esc per annullare.",
    /* 80 */ "Interrotto dall’utente.",

    // Questions and messages (94 is not shown anywhere).
    /* 81 */
    "Le impostazioni sono state applicate. Salvare queste impostazioni anche "
    "per le analisi future?",
    /* 82 */
    "Le impostazioni sono state salvate. Applicarle a tutte le analisi "
    "attualmente aperte?",
    /* 83 */ "Aprire prima un file di log (*.csv).",
    /* 84 */ "Errore durante l’apertura del file.",
    /* 85 */ "Il file indicato non contiene valori misurati.",
    /* 86 */ "Il file indicato non è un file di log valido.",
    /* 87 */ "Nessun file trovato. Verificare il percorso e riprovare.",
    /* 88 */ "I nomi di file indicati non contengono una data valida.",
    /* 89 */ "Per i file di log è consentita solo l’estensione '.csv'.",
    /* 90 */ "Impossibile associare una data al file iniziale selezionato.",
    /* 91 */ "Impossibile associare una data al file finale selezionato.",
    /* 92 */ "La data del file finale è precedente a quella del file iniziale.",
    /* 93 */ "È stato selezionato solo 1 giorno. Avviata l’analisi semplice.",
    /* 94 */ "Set di dati incompleto.",
    /* 95 */
    "Accesso al file INI non riuscito. Impossibile salvare le impostazioni.",
    /* 96 */
    "È già stato aperto il numero massimo di analisi. Aprire una nuova "
    "analisi? Nota: l’analisi corrente andrà persa.",
    /* 97 */
    "Impossibile aprire un’altra finestra di analisi. La memoria disponibile "
    "potrebbe essere insufficiente. Chiudere le applicazioni non utilizzate e "
    "riprovare.",
    /* 98 */
    "Si è verificato un errore durante la creazione della struttura dati. La "
    "memoria è probabilmente insufficiente. Chiudere le applicazioni non "
    "utilizzate e riprovare.",
    /* 99 */
    "Impossibile trovare Excel.exe. Selezionare manualmente il percorso di "
    "Excel.",
    /* 100 */
    "Avvio di Excel non riuscito. Il file deve essere aperto manualmente.",
    /* 101 */ "Impossibile stampare.",
    /* 102 */ "Nessun dato disponibile.",
    /* 103 */ "Inserire una denominazione.",
    /* 104 */ "Inserire solo numeri per i valori dell’asse Y.",
    /* 105 */
    "Spessore linea non valido. Inserire un numero compreso tra 1 e 99.",

    // About box. The disclaimer is 106, a blank and 107.
    /* 106 */
    "Questo software è freeware. Viene distribuito gratuitamente e può essere "
    "copiato, utilizzato e ceduto a terzi. Eventuali modifiche al software "
    "sono consentite solo previo accordo con gli autori. Il software può "
    "essere ceduto solo completo e invariato, insieme a tutte le note di "
    "copyright e alle altre note di protezione. La distribuzione commerciale, "
    "da solo o come parte di un altro prodotto, richiede l’autorizzazione "
    "scritta preventiva degli autori. Il software viene fornito senza alcuna "
    "garanzia, espressa o implicita, comprese le garanzie di commerciabilità "
    "o di idoneità a uno scopo particolare. L’utilizzo avviene a proprio "
    "rischio. Vi preghiamo di segnalare agli autori eventuali errori "
    "riscontrati, affinché possano essere corretti.",
    /* 107 */ "",
    /* 108 */ "Prodotto realizzato per:",
    /* 109 */ "Stati Uniti",
    /* 110 */ "Tel.",
    /* 111 */ "Fax.",
};

// Texts added after the numbered rows.
constexpr std::string_view kAddedRows[] = {
    /* 112 */ "Nessuno dei file selezionati ha potuto essere caricato.",
    /* 113 */ "Alcuni file non hanno potuto essere caricati e sono stati tralasciati:",
    /* 114 */
    "Non è stato possibile salvare le impostazioni. Valgono per le nuove "
    "finestre fino alla chiusura del programma. Applicarle a tutte le analisi "
    "attualmente aperte?",
    // 115: reading a day file stopped early at line %1
    /* 115 */
    "La lettura si è interrotta alla riga %1, che non contiene un "
    "record valido; vengono mostrati i valori precedenti.",
    /* 116 */ "acceso",
    /* 117 */ "spento",
    /* 118 */ "Questo file non esiste più ed è stato tolto dai file recenti:",
    /* 119 */ "1 anno",
    /* 120 */ "Per mese",
    /* 121 */ "Confronta con",
    /* 122 */ "(nessuno)",
    /* 123 */ "Riepilogo",
    /* 124 */ "Minimo",
    /* 125 */ "Massimo",
    /* 126 */ "Ora del massimo",
    /* 127 */ "Media",
    /* 128 */ "Ore di funzionamento",
    /* 129 */ "Giorni senza file",
    /* 130 */ "Esporta totali giornalieri...",
    /* 131 */ "Esporta totali mensili...",
    /* 132 */ "File CSV",
    /* 133 */ "Giorno migliore",
    /* 134 */ "I record di questo file sono datati %1, fuori dai mesi dell’analisi; il file è stato tralasciato.",
    /* 135 */ "Le colonne di questo file differiscono da quelle del primo file; il file è stato tralasciato.",
    /* 136 */ "Impossibile salvare l’immagine «%1»: %2",
    /* 137 */ "Impossibile scrivere il file «%1»: %2",
    /* 138 */ "Errore interno",
    /* 139 */ "Spunti un valore misurato a sinistra per visualizzarlo",
    /* 140 */ "il grafico non ha dimensioni",
    /* 141 */ "non è stato possibile scrivere l’immagine",
    /* 142 */ "Cartelle di lavoro Excel",
    /* 143 */ "Scelga un file giornaliero in questa cartella.",
    /* 144 */ "Questo file non esiste.",
    /* 145 */ "Ricarica",
    /* 146 */ "Salta indietro",
    /* 147 */ "Scorri indietro",
    /* 148 */ "Scorri avanti",
    /* 149 */ "Salta avanti",
    /* 150 */ "Grafico dei valori misurati",
    /* 151 */ "Grafico delle uscite",
    /* 152 */ "Colore",
    /* 153 */ "Rilievi",
    /* 154 */ "Nessun rilievo nei giorni caricati.",
    /* 155 */ "Periodo",
    /* 156 */ "Rilievo",
    /* 157 */ "Canale",
    /* 158 */ "Valore",
    /* 159 */ "Surriscaldamento del collettore",
    /* 160 */ "Pompa in funzione senza resa",
    /* 161 */ "Pompa con cicli brevi",
    /* 162 */ "Errore sonda (Err)",
    /* 163 */ "Valore fuori campo",
    /* 164 */ "Sonda bloccata",
    /* 165 */ "Segnale di guasto attivo",
    /* 166 */ "Interruzione della registrazione",
    /* 167 */ "Giorni senza file",
    /* 168 */ "Perdita di calore notturna",
    /* 169 */ "(log seguito)",
    /* 170 */ "Segui il log di oggi",
    /* 171 */ "questa versione non può scrivere file SVG (PNG, BMP e PDF sì)",
};

}  // namespace

TextRows ItalianRows() { return kRows; }
AddedTextRows ItalianAddedRows() { return kAddedRows; }

}  // namespace calorix::i18n
