#include "stores/LanguageTable.h"

#include <algorithm>

namespace tg {

namespace {

// The added entries in each language, Windows-1252, from entry 102 on.
constexpr int kAdded = LanguageTable::kLastEntry - LanguageTable::kEntries;
struct AddedTexts {
  std::string_view code;
  std::array<std::string, kAdded> texts;
};

const std::array<AddedTexts, 5>& addedTexts() {
  static const std::array<AddedTexts, 5> texts{{
      {"FR",
       {"Dossier impossible \xE0 surveiller : ", "Dossier de nouveau surveill\xE9 : ",
        "netguard.txt trop long : lu en partie", "Filtrer : nom, chemin, date... (\xC9" "chap efface)",
        " programmes : ", "Copier", "Tout s\xE9" "lectionner", "Supprimer les r\xE8" "gles", "Mettre en quarantaine",
        "Exporter et importer", "Donn\xE9" "es :", "Exporter...", "Importer...", "Fichiers de la base (XML)",
        "Tableur, UTF-8 (CSV)", " ajout\xE9" "s", " d\xE9" "j\xE0" " pr\xE9" "sents", " refus\xE9" "s",
        "Copie d'avant l'import : ", "Export\xE9" " dans : ", "Non import\xE9" " : ", "Modules charg\xE9" "s", "Site",
        "Adresse", " (sans nom)", "Ce fichier contient : ", "Rien n'a \xE9" "t\xE9" " modifi\xE9" ".",
        "Connexions", "PID", "Protocole", "Adresse locale", "Adresse distante", "Port", "\xC9" "tat", "D\xE9" "cision",
        "Autoris\xE9" " par une r\xE8" "gle", "Nouveau : enregistr\xE9", "Question pos\xE9" "e",
        "Arr\xEA" "t\xE9" " : en quarantaine", "Arr\xEA" "t\xE9" " par le blocage ",
        "Arr\xEA" "t\xE9" " : site bloqu\xE9" " ", "Arr\xEA" "t\xE9" " : Internet bloqu\xE9", "Aucune d\xE9" "cision",
        "Pause", "Arr\xEA" "ter le processus", "Voir ses r\xE8" "gles", "Liste ancienne : aucune nouvelle lecture",
        "Arr\xEA" "ter le processus de : "}},
      {"GB",
       {"Folder cannot be watched: ", "Folder watched again: ", "netguard.txt too long: partly read",
        "Filter: name, path, date... (Esc clears)",
        " programs: ", "Copy", "Select all", "Remove the rules", "Put in quarantine",
        "Export and import", "Records:", "Export...", "Import...", "Store files (XML)", "Spreadsheet, UTF-8 (CSV)",
        " added", " already there", " refused", "Kept as it was before: ", "Exported to: ", "Not imported: ",
        "Loaded modules", "Site", "Address", " (no name)", "This file holds: ", "Nothing was changed.",
        "Connections", "PID", "Protocol", "Local address", "Remote address", "Port", "State", "Decision",
        "Allowed by a rule", "New: recorded now", "Asked", "Ended: in quarantine", "Ended by the switch ",
        "Ended: blocked site ", "Ended: Internet blocked", "No decision", "Pause", "End the process", "Show its rules",
        "Old list: the network engine gave none", "End the process of: "}},
      {"DE",
       {"Ordner nicht \xFC" "berwachbar: ", "Ordner wieder \xFC" "berwacht: ",
        "netguard.txt zu lang: teilweise gelesen", "Filtern: Name, Pfad, Datum... (Esc leert)",
        " Programme: ", "Kopieren", "Alles ausw\xE4" "hlen", "Regeln entfernen", "In Quarant\xE4" "ne verschieben",
        "Exportieren und importieren", "Daten:", "Exportieren...", "Importieren...", "Speicherdateien (XML)",
        "Tabelle, UTF-8 (CSV)", " hinzugef\xFC" "gt", " schon vorhanden", " abgelehnt", "Stand vor dem Import: ",
        "Exportiert nach: ", "Nicht importiert: ", "Geladene Module", "Website", "Adresse", " (ohne Namen)",
        "Diese Datei enth\xE4" "lt: ", "Nichts wurde ge\xE4" "ndert.",
        "Verbindungen", "PID", "Protokoll", "Lokale Adresse", "Entfernte Adresse", "Port", "Status", "Entscheidung",
        "Durch eine Regel erlaubt", "Neu: aufgezeichnet", "Nachgefragt", "Beendet: in Quarant\xE4" "ne",
        "Beendet durch Sperre ", "Beendet: gesperrte Website ", "Beendet: Internet gesperrt", "Keine Entscheidung",
        "Anhalten", "Prozess beenden", "Seine Regeln zeigen", "Alte Liste: keine neue Lesung",
        "Prozess beenden von: "}},
      {"ITA",
       {"Cartella non sorvegliabile: ", "Cartella di nuovo sorvegliata: ",
        "netguard.txt troppo lungo: letto in parte", "Filtra: nome, percorso, data... (Esc cancella)",
        " programmi: ", "Copia", "Seleziona tutto", "Rimuovi le regole", "Metti in quarantena",
        "Esporta e importa", "Dati:", "Esporta...", "Importa...", "File dell'archivio (XML)",
        "Foglio di calcolo, UTF-8 (CSV)", " aggiunti", " gi\xE0" " presenti", " rifiutati",
        "Copia prima dell'importazione: ", "Esportato in: ", "Non importato: ", "Moduli caricati", "Sito", "Indirizzo",
        " (senza nome)", "Questo file contiene: ", "Nulla \xE8" " stato modificato.",
        "Connessioni", "PID", "Protocollo", "Indirizzo locale", "Indirizzo remoto", "Porta", "Stato", "Decisione",
        "Consentito da una regola", "Nuovo: registrato", "Chiesto", "Terminato: in quarantena",
        "Terminato dal blocco ", "Terminato: sito bloccato ", "Terminato: Internet bloccato", "Nessuna decisione",
        "Pausa", "Termina il processo", "Mostra le sue regole", "Elenco vecchio: nessuna nuova lettura",
        "Terminare il processo di: "}},
      {"ESP",
       {"Carpeta imposible de vigilar: ", "Carpeta vigilada de nuevo: ",
        "netguard.txt demasiado largo: le\xED" "do en parte", "Filtrar: nombre, ruta, fecha... (Esc borra)",
        " programas: ", "Copiar", "Seleccionar todo", "Eliminar las reglas", "Poner en cuarentena",
        "Exportar e importar", "Datos:", "Exportar...", "Importar...", "Archivos del almac\xE9" "n (XML)",
        "Hoja de c\xE1" "lculo, UTF-8 (CSV)", " a\xF1" "adidos", " ya presentes", " rechazados",
        "Copia anterior a la importaci\xF3" "n: ", "Exportado a: ", "No importado: ", "M\xF3" "dulos cargados",
        "Sitio", "Direcci\xF3" "n", " (sin nombre)", "Este archivo contiene: ", "No se ha cambiado nada.",
        "Conexiones", "PID", "Protocolo", "Direcci\xF3" "n local", "Direcci\xF3" "n remota", "Puerto", "Estado",
        "Decisi\xF3" "n", "Permitido por una regla", "Nuevo: registrado", "Preguntado", "Terminado: en cuarentena",
        "Terminado por el bloqueo ", "Terminado: sitio bloqueado ", "Terminado: Internet bloqueado",
        "Ninguna decisi\xF3" "n", "Pausa", "Terminar el proceso", "Ver sus reglas",
        "Lista antigua: ninguna lectura nueva", "Terminar el proceso de: "}},
  }};
  return texts;
}

}  // namespace

const std::string& builtInText(std::string_view code, int n) {
  static const std::string kNone;
  if (n <= LanguageTable::kEntries || n > LanguageTable::kLastEntry) return kNone;
  const auto& all = addedTexts();
  const auto it = std::find_if(all.begin(), all.end(), [&](const AddedTexts& t) { return t.code == code; });
  return (it == all.end() ? all.front() : *it).texts[static_cast<std::size_t>(n - LanguageTable::kEntries - 1)];
}

const std::string& LanguageTable::text(int n) const {
  static const std::string kNone;
  if (n < 1 || n > kLastEntry) return kNone;
  const std::string& entry = entries_[static_cast<std::size_t>(n - 1)];
  // An added entry is never empty, not even before the first load.
  if (n > kEntries && entry.empty()) return builtInText("FR", n);
  return entry;
}

void LanguageTable::fill(const Lines& lines, std::string_view code) {
  const std::size_t count = std::min<std::size_t>(lines.size(), kEntries);
  for (std::size_t i = 0; i < count; ++i) entries_[i] = lines[i].substr(0, kMaxLength);
  // The added entries follow the language as a whole, so that a file that
  // lacks them does not leave the last language's texts among the new ones.
  for (int n = kEntries + 1; n <= kLastEntry; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    entries_[i] = i < lines.size() && !lines[i].empty() ? lines[i].substr(0, kMaxLength) : builtInText(code, n);
  }
}

std::optional<std::string> languageFileOf(std::string_view code) {
  if (code == "FR") return "kelm2013_fr.txt";
  if (code == "DE") return "kelm2013_de.txt";
  if (code == "GB") return "kelm2013_gb.txt";
  if (code == "ITA") return "kelm2013_it.txt";
  if (code == "ESP") return "kelm2013_es.txt";
  return std::nullopt;
}

bool loadLanguageTable(LanguageTable& table, FileSystem& files, const std::string& programDirectory,
                       std::string_view code) {
  const std::optional<std::string> file = languageFileOf(code);
  if (!file) return false;
  const std::optional<Lines> lines = readLines(files, programDirectory + *file);
  if (!lines) return false;
  table.fill(*lines, code);
  return true;
}

}  // namespace tg
