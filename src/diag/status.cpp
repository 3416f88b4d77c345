#include "diag/status.h"

#include "locale/errorcatalogue.h"
#include "locale/language.h"
#include "platform/files.h"
#include "platform/ui.h"

namespace {

constexpr const char* ErrorTitle = "Quillbox Installer: Error";
constexpr const char* MessageTitle = "Quillbox Installer";

struct SuffixRow {
    const char* language;
    const char* suffix;
};

// The first row is also the suffix of unknown language names. The file names stay as they are
// on disk in every language.
constexpr SuffixRow Suffixes[] = {
    {"english", "\n\nSee errors.log and jinstall.log files for details."},
    {"french", "\n\nVeuillez examiner les fichiers errors.log et jinstall.log pour plus de d\u00e9tails sur l'erreur."},
    {"german", "\n\nBitte \u00fcberpr\u00fcfen Sie die Dateien errors.log und jinstall.log f\u00fcr n\u00e4here Angaben "
               "zu diesem Problem."},
    {"spanish", "\n\nRevise por favor errors.log y jinstall.log para m\u00e1s detalles acerca del error."},
    {"polish", "\n\nW celu uzyskania dok\u0142adnej informacji o b\u0142\u0119dach prosz\u0119 przejrze\u0107 pliki "
               "errors.log i jinstall.log."},
    {"italian", "\n\nPrego, controlla i file errors.log e jinstall.log per maggiori dettagli sull'errore."},
    {"portuguese",
     "\n\nPor favor, verifique os arquivos errors.log e jinstall.log para maiores detalhes a respeito do erro."},
    {"japanese", "\n\nエラーの詳細は errors.log と jinstall.log を参照してください。"},
    {"dutch", "\n\nLees a.u.b. de errors.log- en jinstall.log-bestanden voor meer informatie over dit probleem."},
};

} // namespace

const char* errorSuffix(const std::string& language)
{
    for (const SuffixRow& row : Suffixes)
        if (language == row.language)
            return row.suffix;
    return Suffixes[0].suffix;
}

std::string composeError(const std::string& language, const std::string& message, const std::string& detail)
{
    if (detail.empty())
        return localizeErrorText(language, message) + errorSuffix(language);
    return localizeErrorText(language, message) + "\r\r" + localizeErrorText(language, detail);
}

Status::Status()
{
    getLanguage(language);
}

void Status::setQuietMode(bool quiet)
{
    quietMode = quiet;
}

void Status::showStatus(const std::string&)
{
    // The status window's text is set once by the main thread; progress is not shown.
}

void Status::showStatus(unsigned)
{
}

void Status::setMaxPercentage(unsigned maximum)
{
    maxPercentage = maximum;
}

void Status::showError(const std::string& message, const std::string& detail)
{
    std::string text = composeError(language, message, detail);
    if (quietMode)
        return;
    // The marker's removal takes the status window down before the box appears.
    platform::removeFile(ShowDialogFilename);
    platform::messageBox(text, ErrorTitle, platform::MessageBoxError);
}

void Status::showError(const std::string& message, const char* detail)
{
    showError(message, detail != nullptr ? std::string(detail) : std::string());
}

void Status::showMessage(const std::string& text)
{
    platform::removeFile(ShowDialogFilename);
    platform::messageBox(text, MessageTitle, platform::MessageBoxInformation);
}
