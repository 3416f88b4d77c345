#include "locale/catalogue.h"

#include "locale/language.h"

namespace {

constexpr unsigned FirstMessageId = 1;
constexpr unsigned LastMessageId = 5;

struct CatalogueRow {
    const char* language;
    const char* initial;
    const char* messages[LastMessageId]; // ids 1 to 5
};

// Id 1: the run starts; 2: the wizard is about to start; 3: the JVM search starts; 4: a JVM is
// being installed; 5: the wizard starts again after a JVM was installed. The first row is also
// the text for unknown language names. The Japanese texts are written in UTF-8, as they are
// shown and traced.
constexpr CatalogueRow Catalogue[] = {
    {"english",
     "Unpacking the installer...",
     {"Unpacking the installer...", "Starting the installer...", "Searching for the JVM...", "Installing the JVM...",
      "Restarting the installer..."}},
    {"french",
     "Pr\u00e9paration Wizard...",
     {"Pr\u00e9paration Wizard...", "D\u00e9marrage Wizard...", "Recherche de JVM...", "Recherche de JVM...",
      "D\u00e9marrage Wizard..."}},
    {"german",
     "Bereite Wizard..",
     {"Bereite Wizard..", "Starte Wizard...", "Suche nach JVM...", "Suche nach JVM...", "Starte Wizard..."}},
    {"spanish",
     "Preparando wizard...",
     {"Preparando wizard...", "Comienza wizard...", "Busqueda para el JVM...", "Instala el JVM...",
      "Comienza wizard de nuevo..."}},
    {"polish",
     "Inicjalizacja Wizard...",
     {"Inicjalizacja Wizard...", "Ci dodatkowych...", "Searching for JVM...", "Installing the JVM...",
      "Ci dodatkowych..."}},
    {"italian",
     "Preparazione Wizard...",
     {"Preparazione Wizard...", "Esecuzione...", "Ricerca di JVM...", "Ricerca di JVM...", "Esecuzione..."}},
    {"portuguese",
     "Preparando Wizard...",
     {"Preparando Wizard...", "Iniciando Wizard...", "Busca para JVM...", "Busca para JVM...", "Iniciando Wizard..."}},
    {"japanese",
     "インストーラーを展開中...",
     {"インストーラーを展開中...", "インストーラーを起動中...", "JVM を検索中...", "JVM をインストール中...",
      "インストーラーを再起動中..."}},
    {"dutch",
     "Voorbereiden Wizard...",
     {"Voorbereiden Wizard...", "Applicatie wordt gestart...", "Searching for JVM...", "Installing the JVM...",
      "Applicatie wordt gestart..."}},
};

const CatalogueRow& rowFor(const std::string& language)
{
    for (const CatalogueRow& row : Catalogue)
        if (language == row.language)
            return row;
    return Catalogue[0];
}

} // namespace

std::string statusMessage(const std::string& language, unsigned id)
{
    if (id < FirstMessageId || id > LastMessageId)
        return std::string();
    return rowFor(language).messages[id - FirstMessageId];
}

std::string initialMessage(const std::string& language)
{
    return rowFor(language).initial;
}

void getMessage(platform::WindowHandle dialog, unsigned controlId, std::string& text)
{
    std::string language;
    getLanguage(language);
    selectControlIdCharType(dialog, controlId, language);
    text = initialMessage(language);
}
