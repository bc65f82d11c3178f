#include "i18n/text_rows.h"

namespace calorix::i18n {
namespace {

// The disclaimer runs on from 106 into 107.

constexpr std::string_view kRows[] = {
    // Main window menus and actions; 15 also captions the about box.
    /* 0 */ "Fichier",
    /* 1 */ "Ouvrir",
    /* 2 */ "Analyse sur plusieurs jours",
    /* 3 */ "Fermer",
    /* 4 */ "Enregistrer",
    /* 5 */ "Imprimer",
    /* 6 */ "Quitter",
    /* 7 */ "Paramètres",
    /* 8 */ "Nouvelles fenêtres",
    /* 9 */ "Fenêtre active",
    /* 10 */ "Choix de la langue",
    /* 11 */ "Fenêtre",
    /* 12 */ "En cascade",
    /* 13 */ "Empilées",
    /* 14 */ "Tout réduire",
    /* 15 */ "À propos",

    // Evaluation window caption. 17..21 are pieces of a composed caption and
    // carry their own blanks.
    /* 16 */ "Nouveau",
    /* 17 */ "Analyse du ",
    /* 18 */ "Analyse du ",
    /* 19 */ " au ",
    /* 20 */ ". (",
    /* 21 */ " fichiers trouvés)",

    // Evaluation window labels and its spreadsheet action.
    /* 22 */ "Plage horaire affichée",
    /* 23 */ "Barre de défilement",
    /* 24 */ "Ouvrir dans Excel",

    // Span choice.
    /* 25 */ "1 heure",
    /* 26 */ "3 heures",
    /* 27 */ "8 heures",
    /* 28 */ "1 jour",
    /* 29 */ "1 mois",

    // Settings dialog (37 and 41 are not shown anywhere).
    /* 30 */ "Options graphiques et d’affichage",
    /* 31 */ "Épaisseur de ligne",
    /* 32 */ "Échelle de l’axe Y",
    /* 33 */ "dynamique",
    /* 34 */ "fixe",
    /* 35 */ "Min",
    /* 36 */ "Max",
    /* 37 */ "Afficher les sorties sous forme de :",
    /* 38 */ "Afficher sous forme de :",
    /* 39 */ "Barres",
    /* 40 */ "Lignes",
    /* 41 */ "Titre du graphique",
    /* 42 */ "Titre d’impression",
    /* 43 */ "Par défaut",
    /* 44 */ "Annuler",
    /* 45 */ "OK",

    // Evaluation window headline and group captions.
    /* 46 */ "Valeurs mesurées sélectionnables",
    /* 47 */ "Entrées",
    /* 48 */ "Autres valeurs mesurées",
    /* 49 */ "Sorties",

    // Message box captions.
    /* 50 */ "Question",
    /* 51 */ "Erreur",
    /* 52 */ "Avertissement",
    /* 53 */ "Information",

    // Not shown anywhere.
    /* 54 */ "Date",
    /* 55 */ "Société",

    // Default series names, in channel slot order.
    /* 56 */ "Sonde de température 1",
    /* 57 */ "Sonde de température 2",
    /* 58 */ "Sonde de température 3",
    /* 59 */ "Sonde de température 4",
    /* 60 */ "Sonde de température 5",
    /* 61 */ "Sonde de température 6",
    /* 62 */ "Sonde de température directe",
    /* 63 */ "Débit",
    /* 64 */ "Puissance thermique",
    /* 65 */ "Débit cumulé",
    /* 66 */ "Énergie cumulée",
    /* 67 */ "Sortie 1",
    /* 68 */ "Sortie 2",
    /* 69 */ "Sortie 3",
    /* 70 */ "Sortie de signalisation de défaut",

    // About box version line and file dialog filter names.
    /* 71 */ "Version",
    /* 72 */ "Fichiers journaux",
    /* 73 */ "Fichiers image",
    /* 74 */ "Tous les fichiers",

    // Multi-day dialog.
    /* 75 */ "Date de début",
    /* 76 */ "Date de fin",
    /* 77 */ "Parcourir...",
    /* 78 */ "Analyser",
    /* 79 */ "Appuyez sur la touche Échap pour annuler.",
    /* 80 */ "Interrompu par l’utilisateur.",

    // Questions and messages (94 is not shown anywhere).
    /* 81 */
    "Les paramètres ont été appliqués. Voulez-vous également les enregistrer "
    "pour les analyses futures ?",
    /* 82 */
    "Les paramètres ont été enregistrés. Voulez-vous les appliquer à toutes "
    "les analyses actuellement ouvertes ?",
    /* 83 */ "Veuillez d’abord ouvrir un fichier journal (*.csv).",
    /* 84 */ "Erreur lors de l’ouverture du fichier.",
    /* 85 */ "Le fichier indiqué ne contient aucune valeur mesurée.",
    /* 86 */ "Le fichier indiqué n’est pas un fichier journal valide.",
    /* 87 */
    "Aucun fichier trouvé. Veuillez vérifier le chemin d’accès et réessayer.",
    /* 88 */ "Les noms de fichiers indiqués ne contiennent pas de date valide.",
    /* 89 */
    "Seule l’extension '.csv' est autorisée pour les fichiers journaux.",
    /* 90 */
    "Aucune date ne peut être associée au fichier de début sélectionné.",
    /* 91 */ "Aucune date ne peut être associée au fichier de fin sélectionné.",
    /* 92 */
    "La date du fichier de fin est antérieure à celle du fichier de début.",
    /* 93 */ "Vous n’avez sélectionné qu’un seul jour. Analyse simple lancée.",
    /* 94 */ "Jeu de données incomplet.",
    /* 95 */
    "Échec de l’accès au fichier INI. Les paramètres ne peuvent pas être "
    "enregistrés.",
    /* 96 */
    "Vous avez déjà ouvert le nombre maximal d’analyses. Voulez-vous ouvrir "
    "une nouvelle analyse ? Remarque : l’analyse en cours sera alors perdue.",
    /* 97 */
    "Impossible d’ouvrir une autre fenêtre d’analyse. La mémoire disponible "
    "est peut-être insuffisante. Veuillez fermer les applications inutilisées "
    "et réessayer.",
    /* 98 */
    "Une erreur s’est produite lors de la création de la structure de "
    "données. La mémoire est probablement insuffisante. Veuillez fermer les "
    "applications inutilisées et réessayer.",
    /* 99 */
    "Excel.exe est introuvable. Veuillez sélectionner manuellement le chemin "
    "d’accès à Excel.",
    /* 100 */
    "Le démarrage d’Excel a échoué. Le fichier doit être ouvert manuellement.",
    /* 101 */ "Impression impossible.",
    /* 102 */ "Aucune donnée disponible.",
    /* 103 */ "Veuillez saisir une désignation.",
    /* 104 */
    "Veuillez saisir uniquement des chiffres pour les valeurs de l’axe Y.",
    /* 105 */
    "Épaisseur de ligne non valide. Veuillez saisir un nombre compris entre 1 "
    "et 99.",

    // About box. The disclaimer is 106, a blank and 107.
    /* 106 */
    "Ce logiciel est un freeware (logiciel gratuit). Il est distribué "
    "gratuitement et peut être copié, utilisé et transmis à des tiers. Toute "
    "modification du logiciel nécessite l’accord des auteurs. Le logiciel ne "
    "peut être transmis que complet et non modifié, avec l’ensemble des "
    "mentions de droits d’auteur et autres mentions de protection. Toute "
    "diffusion commerciale, seule ou au sein d’un autre produit, requiert "
    "l’autorisation écrite préalable des auteurs.",
    /* 107 */
    "Le logiciel est fourni sans aucune garantie, expresse ou implicite, "
    "notamment sans garantie de qualité marchande ou d’adéquation à un usage "
    "particulier. Vous l’utilisez à vos propres risques. Si vous constatez "
    "des erreurs, merci de les signaler aux auteurs afin qu’elles puissent "
    "être corrigées.",
    /* 108 */ "Produit fabriqué pour :",
    /* 109 */ "États-Unis",
    /* 110 */ "Tél.",
    /* 111 */ "Fax.",
};

// Texts added after the numbered rows.
constexpr std::string_view kAddedRows[] = {
    /* 112 */ "Aucun des fichiers sélectionnés n’a pu être chargé.",
    /* 113 */ "Certains fichiers n’ont pas pu être chargés et ont été ignorés :",
    /* 114 */
    "Les paramètres n'ont pas pu être enregistrés. Ils s'appliquent aux "
    "nouvelles fenêtres jusqu'à la fin du programme. Voulez-vous les appliquer "
    "à toutes les analyses actuellement ouvertes ?",
    // 115: reading a day file stopped early at line %1
    /* 115 */
    "La lecture s’est arrêtée à la ligne %1, qui ne contient pas "
    "d’enregistrement valide ; les valeurs précédentes sont affichées.",
    /* 116 */ "marche",
    /* 117 */ "arrêt",
    /* 118 */ "Ce fichier n’existe plus et a été retiré des fichiers récents :",
    /* 119 */ "1 an",
    /* 120 */ "Par mois",
    /* 121 */ "Comparer avec",
    /* 122 */ "(aucun)",
    /* 123 */ "Résumé",
    /* 124 */ "Minimum",
    /* 125 */ "Maximum",
    /* 126 */ "Heure du maximum",
    /* 127 */ "Moyenne",
    /* 128 */ "Heures de marche",
    /* 129 */ "Jours sans fichier",
    /* 130 */ "Exporter les totaux journaliers...",
    /* 131 */ "Exporter les totaux mensuels...",
    /* 132 */ "Fichiers CSV",
    /* 133 */ "Meilleur jour",
    /* 134 */
    "Les enregistrements de ce fichier sont datés du %1, en dehors des mois de l’analyse ; le fichier a été ignoré.",
    /* 135 */ "Les colonnes de ce fichier diffèrent de celles du premier fichier ; le fichier a été ignoré.",
    /* 136 */ "L’image « %1 » n’a pas pu être enregistrée : %2",
    /* 137 */ "Le fichier « %1 » n’a pas pu être écrit : %2",
    /* 138 */ "Erreur interne",
    /* 139 */ "Cochez une valeur mesurée à gauche pour l’afficher",
    /* 140 */ "le graphique n’a pas de taille",
    /* 141 */ "l’image n’a pas pu être écrite",
    /* 142 */ "Classeurs Excel",
    /* 143 */ "Veuillez choisir un fichier journalier dans ce dossier.",
    /* 144 */ "Ce fichier n’existe pas.",
    /* 145 */ "Recharger",
    /* 146 */ "Sauter en arrière",
    /* 147 */ "Défiler en arrière",
    /* 148 */ "Défiler en avant",
    /* 149 */ "Sauter en avant",
    /* 150 */ "Graphique des valeurs mesurées",
    /* 151 */ "Graphique des sorties",
    /* 152 */ "Couleur",
    /* 153 */ "Constats",
    /* 154 */ "Aucun constat dans les jours chargés.",
    /* 155 */ "Période",
    /* 156 */ "Constat",
    /* 157 */ "Canal",
    /* 158 */ "Valeur",
    /* 159 */ "Surchauffe du capteur solaire",
    /* 160 */ "Pompe en marche sans rendement",
    /* 161 */ "Pompe en cycles courts",
    /* 162 */ "Erreur de sonde (Err)",
    /* 163 */ "Valeur hors plage",
    /* 164 */ "Sonde figée",
    /* 165 */ "Signal de défaut actif",
    /* 166 */ "Lacune d'enregistrement",
    /* 167 */ "Jours sans fichier",
    /* 168 */ "Perte de chaleur la nuit",
    /* 169 */ "(suivi du journal)",
    /* 170 */ "Suivre le journal du jour",
    /* 171 */ "cette version ne peut pas écrire de fichiers SVG (PNG, BMP et PDF, si)",
};

}  // namespace

TextRows FrenchRows() { return kRows; }
AddedTextRows FrenchAddedRows() { return kAddedRows; }

}  // namespace calorix::i18n
