// This file is UTF-8: the translations are written as their readers see them.
#include "locale/errorcatalogue.h"

#include <cstddef>
#include <vector>

namespace {

constexpr std::size_t LanguageCount = 9;
constexpr const char* Languages[LanguageCount] = {"english", "french",     "german",   "spanish", "polish",
                                                  "italian", "portuguese", "japanese", "dutch"};

// One line of an error text in the nine languages, in the order of Languages. The English text
// is the key: it is what the run composes and what the logs keep. "%1" to "%3" stand for texts
// the run fills in (a runtime's name, a version); the English line holds them in their order.
// A new error text is one more row here; a text of several lines needs a row for each line.
using ErrorRow = const char* [LanguageCount];
constexpr ErrorRow ErrorRows[] = {
    {"The installation package is damaged.", "Le paquet d'installation est endommagé.",
     "Das Installationspaket ist beschädigt.", "El paquete de instalación está dañado.",
     "Pakiet instalacyjny jest uszkodzony.", "Il pacchetto di installazione è danneggiato.",
     "O pacote de instalação está danificado.", "インストール パッケージが破損しています。",
     "Het installatiepakket is beschadigd."},
    {"Please download it again and restart this installation program.",
     "Veuillez le télécharger à nouveau et relancer ce programme d'installation.",
     "Bitte laden Sie es erneut herunter und starten Sie dieses Installationsprogramm neu.",
     "Descárguelo de nuevo y vuelva a iniciar este programa de instalación.",
     "Pobierz go ponownie i uruchom ponownie ten program instalacyjny.",
     "Scaricarlo di nuovo e riavviare questo programma di installazione.",
     "Faça o download novamente e reinicie este programa de instalação.",
     "もう一度ダウンロードして、このインストール プログラムを再起動してください。",
     "Download het opnieuw en start dit installatieprogramma opnieuw."},
    {"%1 is not the file the package was made with (see errors.log).",
     "%1 n'est pas le fichier avec lequel le paquet a été créé (voir errors.log).",
     "%1 ist nicht die Datei, mit der das Paket erstellt wurde (siehe errors.log).",
     "%1 no es el archivo con el que se creó el paquete (consulte errors.log).",
     "%1 nie jest plikiem, z którym utworzono pakiet (zobacz errors.log).",
     "%1 non è il file con cui è stato creato il pacchetto (vedere errors.log).",
     "%1 não é o arquivo com o qual o pacote foi criado (consulte errors.log).",
     "%1 は、パッケージの作成に使われたファイルではありません (errors.log を参照)。",
     "%1 is niet het bestand waarmee het pakket is gemaakt (zie errors.log)."},
    {"Unable to open control file", "Impossible d'ouvrir le fichier de contrôle",
     "Die Steuerdatei kann nicht geöffnet werden", "No se puede abrir el archivo de control",
     "Nie można otworzyć pliku sterującego", "Impossibile aprire il file di controllo",
     "Não foi possível abrir o arquivo de controle", "制御ファイルを開けません",
     "Kan het besturingsbestand niet openen"},
    {"Unable to open qbx.control", "Impossible d'ouvrir qbx.control", "qbx.control kann nicht geöffnet werden",
     "No se puede abrir qbx.control", "Nie można otworzyć pliku qbx.control", "Impossibile aprire qbx.control",
     "Não foi possível abrir qbx.control", "qbx.control を開けません", "Kan qbx.control niet openen"},
    {"Unable to convert line endings for qbx.control", "Impossible de convertir les fins de ligne de qbx.control",
     "Die Zeilenenden von qbx.control können nicht umgewandelt werden",
     "No se pueden convertir los finales de línea de qbx.control",
     "Nie można przekształcić znaków końca wiersza w pliku qbx.control",
     "Impossibile convertire i fine riga di qbx.control", "Não foi possível converter as quebras de linha de qbx.control",
     "qbx.control の改行コードを変換できません", "Kan de regeleinden van qbx.control niet omzetten"},
    {"Unable to save errors.log", "Impossible d'enregistrer errors.log", "errors.log kann nicht gespeichert werden",
     "No se puede guardar errors.log", "Nie można zapisać pliku errors.log", "Impossibile salvare errors.log",
     "Não foi possível salvar errors.log", "errors.log を保存できません", "Kan errors.log niet opslaan"},
    {"Try installing from a non-write protected drive.",
     "Essayez d'installer depuis un lecteur qui n'est pas protégé en écriture.",
     "Versuchen Sie die Installation von einem Laufwerk ohne Schreibschutz.",
     "Intente instalar desde una unidad sin protección contra escritura.",
     "Spróbuj zainstalować z dysku, który nie jest chroniony przed zapisem.",
     "Provare a installare da un'unità non protetta da scrittura.",
     "Tente instalar a partir de uma unidade sem proteção contra gravação.",
     "書き込み禁止になっていないドライブからインストールしてください。",
     "Probeer te installeren vanaf een station zonder schrijfbeveiliging."},
    {"Unable to install application.", "Impossible d'installer l'application.",
     "Die Anwendung kann nicht installiert werden.", "No se puede instalar la aplicación.",
     "Nie można zainstalować aplikacji.", "Impossibile installare l'applicazione.",
     "Não foi possível instalar o aplicativo.", "アプリケーションをインストールできません。",
     "Kan de toepassing niet installeren."},
    {"Are the destination or temporary directories out of disk space?",
     "Les dossiers de destination ou temporaires manquent-ils d'espace disque ?",
     "Ist in den Ziel- oder temporären Verzeichnissen zu wenig Speicherplatz frei?",
     "¿Se han quedado sin espacio en disco los directorios de destino o temporales?",
     "Czy w katalogu docelowym lub tymczasowym zabrakło miejsca na dysku?",
     "Le cartelle di destinazione o temporanee hanno esaurito lo spazio su disco?",
     "Os diretórios de destino ou temporários estão sem espaço em disco?",
     "インストール先または一時ディレクトリのディスク容量が不足していませんか?",
     "Is er te weinig schijfruimte in de doelmap of de tijdelijke map?"},
    {"Unable to install %1. Are the destination or temporary directories out of disk space?",
     "Impossible d'installer %1. Les dossiers de destination ou temporaires manquent-ils d'espace disque ?",
     "%1 kann nicht installiert werden. Ist in den Ziel- oder temporären Verzeichnissen zu wenig Speicherplatz frei?",
     "No se puede instalar %1. ¿Se han quedado sin espacio en disco los directorios de destino o temporales?",
     "Nie można zainstalować %1. Czy w katalogu docelowym lub tymczasowym zabrakło miejsca na dysku?",
     "Impossibile installare %1. Le cartelle di destinazione o temporanee hanno esaurito lo spazio su disco?",
     "Não foi possível instalar %1. Os diretórios de destino ou temporários estão sem espaço em disco?",
     "%1 をインストールできません。インストール先または一時ディレクトリのディスク容量が不足していませんか?",
     "Kan %1 niet installeren. Is er te weinig schijfruimte in de doelmap of de tijdelijke map?"},
    {"See errors.log for other possible causes.", "Consultez errors.log pour d'autres causes possibles.",
     "Weitere mögliche Ursachen finden Sie in errors.log.", "Consulte errors.log para otras posibles causas.",
     "Inne możliwe przyczyny podano w pliku errors.log.", "Consultare errors.log per altre possibili cause.",
     "Consulte errors.log para outras causas possíveis.", "その他の考えられる原因は errors.log を参照してください。",
     "Zie errors.log voor andere mogelijke oorzaken."},
    {"Other possible causes for errors:", "Autres causes d'erreur possibles :", "Weitere mögliche Fehlerursachen:",
     "Otras posibles causas de error:", "Inne możliwe przyczyny błędów:", "Altre possibili cause di errore:",
     "Outras causas possíveis de erro:", "その他の考えられるエラーの原因:", "Andere mogelijke oorzaken van fouten:"},
    {"Read/write access rights to the 'temp' and installation directories?",
     "Droits de lecture et d'écriture sur le dossier 'temp' et le dossier d'installation ?",
     "Lese- und Schreibrechte für das Verzeichnis 'temp' und das Installationsverzeichnis?",
     "¿Permisos de lectura y escritura en el directorio 'temp' y en el de instalación?",
     "Prawa odczytu i zapisu do katalogu 'temp' i katalogu instalacji?",
     "Permessi di lettura e scrittura sulla cartella 'temp' e su quella di installazione?",
     "Permissões de leitura e gravação nos diretórios 'temp' e de instalação?",
     "'temp' ディレクトリとインストール先ディレクトリへの読み書き権限はありますか?",
     "Lees- en schrijfrechten op de map 'temp' en de installatiemap?"},
    {"OS need to be patched to run Java apps?",
     "Le système d'exploitation a-t-il besoin de correctifs pour exécuter des applications Java ?",
     "Benötigt das Betriebssystem Updates, um Java-Anwendungen auszuführen?",
     "¿Necesita el sistema operativo actualizaciones para ejecutar aplicaciones Java?",
     "Czy system operacyjny wymaga poprawek do uruchamiania aplikacji Java?",
     "Il sistema operativo richiede aggiornamenti per eseguire applicazioni Java?",
     "O sistema operacional precisa de atualizações para executar aplicativos Java?",
     "Java アプリケーションの実行に OS の更新プログラムが必要ではありませんか?",
     "Heeft het besturingssysteem updates nodig om Java-toepassingen uit te voeren?"},
    {"Anti-virus software installed that won't permit unknonwn executable or JAR files to run?",
     "Un antivirus installé empêche-t-il l'exécution de programmes ou de fichiers JAR inconnus ?",
     "Verhindert eine installierte Antivirensoftware das Ausführen unbekannter Programme oder JAR-Dateien?",
     "¿Hay un antivirus instalado que no permite ejecutar programas o archivos JAR desconocidos?",
     "Czy zainstalowany program antywirusowy blokuje uruchamianie nieznanych programów lub plików JAR?",
     "Un antivirus installato impedisce l'esecuzione di programmi o file JAR sconosciuti?",
     "Há um antivírus instalado que impede a execução de programas ou arquivos JAR desconhecidos?",
     "不明な実行ファイルや JAR ファイルの実行を許可しないウイルス対策ソフトウェアがインストールされていませんか?",
     "Is er antivirussoftware geïnstalleerd die onbekende programma's of JAR-bestanden niet laat starten?"},
    {"Does your system export the display?", "Votre système redirige-t-il l'affichage vers un autre poste ?",
     "Leitet Ihr System die Anzeige auf einen anderen Rechner um?",
     "¿Redirige su sistema la pantalla a otro equipo?", "Czy system przekierowuje obraz na inny komputer?",
     "Il sistema reindirizza la visualizzazione su un altro computer?",
     "O seu sistema redireciona a exibição para outro computador?", "画面を別のコンピューターに転送していませんか?",
     "Stuurt uw systeem het beeld door naar een andere computer?"},
    {"Unable to start the install wizard.", "Impossible de démarrer l'assistant d'installation.",
     "Der Installationsassistent kann nicht gestartet werden.", "No se puede iniciar el asistente de instalación.",
     "Nie można uruchomić kreatora instalacji.", "Impossibile avviare la procedura guidata di installazione.",
     "Não foi possível iniciar o assistente de instalação.", "インストール ウィザードを起動できません。",
     "Kan de installatiewizard niet starten."},
    {"Is there a \"java\" command in the path that doesn't start the JRE?",
     "Le chemin de recherche (PATH) contient-il une commande \"java\" qui ne démarre pas le JRE ?",
     "Gibt es im Suchpfad einen Befehl \"java\", der nicht das JRE startet?",
     "¿Hay en la ruta de búsqueda un comando \"java\" que no inicia el JRE?",
     "Czy w ścieżce wyszukiwania jest polecenie \"java\", które nie uruchamia środowiska JRE?",
     "Nel percorso di ricerca c'è un comando \"java\" che non avvia il JRE?",
     "Há um comando \"java\" no caminho de pesquisa que não inicia o JRE?",
     "検索パスに JRE を起動しない \"java\" コマンドがありませんか?",
     "Staat er in het zoekpad een opdracht \"java\" die de JRE niet start?"},
    {"If there is, remove it and try the installer again.",
     "Si c'est le cas, supprimez-la et relancez le programme d'installation.",
     "Falls ja, entfernen Sie ihn und starten Sie das Installationsprogramm erneut.",
     "Si es así, elimínelo y vuelva a ejecutar el instalador.", "Jeśli tak, usuń je i ponownie uruchom instalator.",
     "In tal caso, rimuoverlo ed eseguire di nuovo il programma di installazione.",
     "Se houver, remova-o e execute o instalador novamente.",
     "ある場合は削除してから、もう一度インストーラーを実行してください。",
     "Zo ja, verwijder die en start het installatieprogramma opnieuw."},
    {"The correct version of the %1 was not found on your system.",
     "La version requise de %1 est introuvable sur votre système.",
     "Die benötigte Version von %1 wurde auf Ihrem System nicht gefunden.",
     "No se encontró en su sistema la versión correcta de %1.", "W systemie nie znaleziono właściwej wersji %1.",
     "La versione corretta di %1 non è stata trovata nel sistema.",
     "A versão correta do %1 não foi encontrada no seu sistema.", "適切なバージョンの %1 がシステムに見つかりません。",
     "De juiste versie van de %1 is niet op uw systeem gevonden."},
    {"Please install the correct %1. You need version %2, %3 memory model. Then restart this installation program.",
     "Veuillez installer la version requise de %1 : version %2, modèle de mémoire %3. Relancez ensuite ce programme "
     "d'installation.",
     "Bitte installieren Sie die passende Version von %1: Version %2, Speichermodell %3. Starten Sie danach dieses "
     "Installationsprogramm erneut.",
     "Instale la versión correcta de %1: versión %2, modelo de memoria %3. Después vuelva a ejecutar este programa de "
     "instalación.",
     "Zainstaluj właściwą wersję %1: wersja %2, model pamięci %3. Następnie ponownie uruchom ten program "
     "instalacyjny.",
     "Installare la versione corretta di %1: versione %2, modello di memoria %3. Quindi eseguire di nuovo questo "
     "programma di installazione.",
     "Instale a versão correta do %1: versão %2, modelo de memória %3. Depois execute novamente este programa de "
     "instalação.",
     "適切な %1 (バージョン %2、%3 メモリ モデル) をインストールしてから、このインストール プログラムを再起動してく"
     "ださい。",
     "Installeer de juiste %1: versie %2, geheugenmodel %3. Start daarna dit installatieprogramma opnieuw."},
    {"Please install %1 and then restart this installation program.",
     "Veuillez installer %1, puis relancer ce programme d'installation.",
     "Bitte installieren Sie %1 und starten Sie danach dieses Installationsprogramm erneut.",
     "Instale %1 y después vuelva a ejecutar este programa de instalación.",
     "Zainstaluj %1, a następnie ponownie uruchom ten program instalacyjny.",
     "Installare %1 e quindi eseguire di nuovo questo programma di installazione.",
     "Instale %1 e depois execute novamente este programa de instalação.",
     "%1 をインストールしてから、このインストール プログラムを再起動してください。",
     "Installeer %1 en start daarna dit installatieprogramma opnieuw."},
    {"Unable to find %1 on your system.", "Impossible de trouver %1 sur votre système.",
     "%1 wurde auf Ihrem System nicht gefunden.", "No se encuentra %1 en su sistema.", "Nie znaleziono %1 w systemie.",
     "Impossibile trovare %1 nel sistema.", "Não foi possível encontrar %1 no seu sistema.",
     "%1 がシステムに見つかりません。", "Kan %1 niet op uw systeem vinden."},
    {"Please install the JVM and re-start this installer.",
     "Veuillez installer la JVM et relancer ce programme d'installation.",
     "Bitte installieren Sie die JVM und starten Sie dieses Installationsprogramm erneut.",
     "Instale la JVM y vuelva a ejecutar este instalador.",
     "Zainstaluj maszynę JVM i ponownie uruchom ten instalator.",
     "Installare la JVM ed eseguire di nuovo questo programma di installazione.",
     "Instale a JVM e execute este instalador novamente.",
     "JVM をインストールしてから、このインストーラーを再起動してください。",
     "Installeer de JVM en start dit installatieprogramma opnieuw."},
};

constexpr std::size_t NoArgument = 9;

// The placeholder's number (0 for "%1") at pattern[p], or NoArgument.
std::size_t placeholderAt(const std::string& pattern, std::size_t p)
{
    if (p + 1 < pattern.size() && pattern[p] == '%' && pattern[p + 1] >= '1' && pattern[p + 1] <= '9')
        return static_cast<std::size_t>(pattern[p + 1] - '1');
    return NoArgument;
}

// true when the line matches the English pattern from p and t on; each placeholder takes the
// shortest non-empty text that lets the rest match.
bool matches(const std::string& pattern, std::size_t p, const std::string& line, std::size_t t,
             std::vector<std::string>& arguments)
{
    if (p == pattern.size())
        return t == line.size();
    std::size_t number = placeholderAt(pattern, p);
    if (number == NoArgument)
        return t < line.size() && pattern[p] == line[t] && matches(pattern, p + 1, line, t + 1, arguments);
    for (std::size_t length = 1; t + length <= line.size(); ++length) {
        if (arguments.size() <= number)
            arguments.resize(number + 1);
        arguments[number] = line.substr(t, length);
        if (matches(pattern, p + 2, line, t + length, arguments))
            return true;
    }
    return false;
}

std::string fillIn(const std::string& pattern, const std::vector<std::string>& arguments)
{
    std::string text;
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        std::size_t number = placeholderAt(pattern, p);
        if (number == NoArgument || number >= arguments.size()) {
            text += pattern[p];
        } else {
            text += arguments[number];
            ++p;
        }
    }
    return text;
}

std::string translateLine(std::size_t column, const std::string& line)
{
    std::size_t start = line.find_first_not_of(" *");
    if (start == std::string::npos)
        return line;
    const std::string body = line.substr(start);
    for (const ErrorRow& row : ErrorRows) {
        std::vector<std::string> arguments;
        if (matches(row[0], 0, body, 0, arguments))
            return line.substr(0, start) + fillIn(row[column], arguments);
    }
    return line;
}

} // namespace

std::string localizeErrorText(const std::string& language, const std::string& text)
{
    std::size_t column = 0;
    for (std::size_t i = 0; i < LanguageCount; ++i)
        if (language == Languages[i])
            column = i;
    if (column == 0)
        return text;
    std::string result;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string::npos)
            end = text.size();
        result += translateLine(column, text.substr(begin, end - begin));
        if (end == text.size())
            break;
        result += text[end];
        begin = end + 1;
    }
    return result;
}
