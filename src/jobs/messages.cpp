#include "jobs/messages.h"

#include <algorithm>
#include <array>

namespace lg81xx {
namespace {

using enum MessageKind;
using Id = MessageId;

constexpr const char* kError = "ERRORE";
constexpr const char* kConfirm = "CONFERMA";
constexpr const char* kDone = "OPERAZIONE CONCLUSA";
constexpr const char* kJavaOk = "JAVA OK";
constexpr const char* kDownload = "DOWNLOAD";

// Texts that more than one message shows.
constexpr const char* kNoReply = "IL TELEFONO NON RISPONDE";
constexpr const char* kJavaFull = "CARTELLA JAVA PIENA: nessuna posizione libera tra 01 e 64";
constexpr const char* kJavaInstalled = "the Java application was installed";
constexpr const char* kDownloadsSummary = "{} file salvati, {} non salvati";
constexpr const char* kBackup = "BACKUP";
constexpr const char* kBackupSummary = "{} nuovi, {} già archiviati, {} non salvati";
constexpr const char* kBackupEnglish = "{} new, {} already archived, {} failed";
constexpr const char* kVerify = "VERIFICA";
constexpr const char* kRestore = "RIPRISTINO";
constexpr const char* kRestoreSummary = "{} file inviati, {} già presenti sul telefono, {} non inviati";
constexpr const char* kRestoreEnglish =
    "{} sent, {} already on the phone and kept (--replace replaces them), {} failed";
constexpr const char* kSilentPhone =
    "the phone did not answer in time: check that it is on and its cable plugged in, that --model names it "
    "and that --port is its port (lg81xx-cli ports lists them)";

constexpr auto kCatalogue = std::to_array<CatalogueEntry>({
    {Id::no_reply_dots, error, kError, "IL TELEFONO NON RISPONDE...", kSilentPhone, kNoAnswer},
    {Id::no_reply, error, kError, kNoReply, kSilentPhone, kNoAnswer},
    {Id::upload_no_reply, notice, "", kNoReply, kSilentPhone, kNoAnswer},
    {Id::refused, error, kError, "IL TELEFONO HA RIFIUTATO LA RICHIESTA", "the phone refused the request", kRefused},
    {Id::busy, error, kError, "IL TELEFONO È OCCUPATO: riprovare tra qualche istante",
     "the phone stayed busy; try again shortly", kNoAnswer},
    {Id::bad_reply, error, kError, "RISPOSTA DEL TELEFONO INCOMPLETA O NON VALIDA",
     "the phone's reply was cut short or garbled: check the cable and try again", kNoAnswer},
    {Id::link_lost, error, kError, "CONNESSIONE CON IL TELEFONO PERSA",
     "the connection to the phone was lost: check the cable and connect again", kNoAnswer},
    {Id::not_connected, error, kError, "TELEFONO NON CONNESSO: premere Connetti/Disconnetti",
     "the phone is not connected", kNoAnswer},
    {Id::wrong_model, error, kError, "MODELLO SBAGLIATO: il telefono collegato è un",
     "the phone is another model than the one chosen: give its model with --model", kBadInput},
    {Id::cancelled, information, "ANNULLATO", "OPERAZIONE ANNULLATA: sessione con il telefono chiusa",
     "stopped at your request: the session with the phone was closed", kInterrupted},

    {Id::no_model_chosen, error, kError, "SCEGLIERE IL MODELLO DEL TELEFONO", "no phone model was chosen", kNoAnswer},
    {Id::no_port_chosen, error, kError, "SCEGLIERE LA PORTA DI COMUNICAZIONE", "no serial port was given", kNoAnswer},
    {Id::bad_com_item, error, kError, "PORTA COM NON VALIDA: le porte vanno da COM  1 a COM  20",
     "the port items are \"COM  1\" to \"COM  20\" (/dev/ttyS0 to /dev/ttyS19); give any other port as its "
     "device, such as /dev/ttyACM0",
     kBadInput},
    {Id::port_not_found, error, kError, "PORTA NON TROVATA",
     "no such device: plug the phone in, or find its port with lg81xx-cli ports", kNoAnswer},
    {Id::port_in_use, error, kError, "PORTA GIÀ IN USO", "another program has the port open: close it and try again",
     kNoAnswer},
    {Id::port_denied, error, kError, "ACCESSO ALLA PORTA NEGATO",
     "this user may not open the port: join the dialout group (sudo usermod -aG dialout $USER) and log in again",
     kNoAnswer},
    {Id::port_open_failed, error, kError, "IMPOSSIBILE APRIRE LA PORTA",
     "the serial port could not be opened; lg81xx-cli ports lists the serial ports", kNoAnswer},

    {Id::archiver_missing, error, "WINZIP NON TROVATO",
     "Per il funzionamento di questo programma è necessario installare WINZIP 8.1 o superiore...",
     "the archive component is missing", kLocalFile},
    {Id::program_folder_not_writable, error, kError, "CARTELLA DEL PROGRAMMA NON SCRIVIBILE",
     "LG81XX.ini cannot be written there: choose a folder of your own with --home DIR", kLocalFile},
    {Id::bad_emu_archive, warning, "", "EMU.ZIP NON VALIDO: serve un archivio ZIP con la cartella emu",
     "emu.zip needs a top-level folder emu/; nothing was unpacked", kSuccess},

    {Id::unknown_model, error, kError, "MODELLO TELEFONO NON SUPPORTATO", "this phone model is not supported",
     kBadInput},
    {Id::no_such_folder, error, kError, "CARTELLA NON PRESENTE SUL TELEFONO", "the chosen model has no such folder",
     kBadInput},
    {Id::no_folder_chosen, error, kError, "NESSUNA CARTELLA SELEZIONATA: scegliere una cartella del telefono",
     "name a folder of the phone", kBadInput},
    {Id::name_too_long, error, kError, "NOME DEL FILE TROPPO LUNGO", "the file name is too long for the phone",
     kBadInput},
    {Id::name_not_supported, error, kError,
     "NOME NON SUPPORTATO DAL TELEFONO: contiene caratteri che questo modello non gestisce",
     "the name holds characters this phone model cannot store", kBadInput},
    {Id::empty_file, error, kError, "IL FILE SCELTO È VUOTO: nessun dato da inviare",
     "the file is empty: there is nothing to send", kBadInput},
    {Id::file_too_large, error, kError, "IL FILE SCELTO È TROPPO GRANDE: oltre 4 GB non può essere inviato",
     "a transfer states a file's size in four bytes: a file of 4 GiB or more cannot be sent", kBadInput},
    {Id::application_file, error, kError,
     "FILE DI UN'APPLICAZIONE JAVA: {} si installa con \"Carica JAD e JAR\" e \"INVIA\" (Applicazioni JAVA)",
     "the .jad, .jar and .mnf files of the folder Java are written only by an install, which checks the pair and "
     "gives it its position: lg81xx-cli install JAD JAR",
     kBadInput},
    {Id::file_read_failed, error, kError, "IMPOSSIBILE LEGGERE IL FILE", "a local file could not be read", kLocalFile},
    {Id::file_write_failed, error, kError, "IMPOSSIBILE SCRIVERE IL FILE", "a local file could not be written",
     kLocalFile},

    {Id::position_range, notice, "lg81xx", "Il Valore della posizione può avere valori compresi tra 00 e 64",
     "the insertion position must be between 00 and 64", kBadInput},
    {Id::bad_position, error, kError, "POSIZIONE NON VALIDA: inserire due cifre tra 00 e 64",
     "the position must be two digits between 00 and 64", kBadInput},
    {Id::java_full, warning, "", kJavaFull, "the phone's folder Java holds 64 applications: no position is free",
     kSuccess},
    {Id::install_java_full, error, kError, kJavaFull,
     "the phone's folder Java holds 64 applications: no position is free", kBadInput},
    {Id::no_selection, error, kError, "NESSUN FILE SELEZIONATO", "no file was selected", kBadInput},
    {Id::replace_application, question, kConfirm, "POSIZIONE GIÀ OCCUPATA: sostituire l'applicazione in",
     "an application is installed at this position", kBadInput},
    {Id::bad_jad, error, kError, "FILE JAD NON VALIDO", "the JAD given is not a Java descriptor; nothing was sent",
     kBadInput},
    {Id::bad_jar, error, kError, "FILE JAR NON VALIDO", "the JAR given is not a ZIP archive; nothing was sent",
     kBadInput},
    {Id::swapped_files, error, kError, "FILE JAD E JAR SCAMBIATI",
     "the JAD and the JAR were given the other way round; nothing was sent", kBadInput},
    {Id::jar_size_differs, warning, "", "DIMENSIONE DEL JAR DIVERSA",
     "the JAD's MIDlet-Jar-Size is not the JAR's size; the install goes on", kSuccess},
    {Id::no_emu_classes, information, "", "CLASSI DI EMULAZIONE NON TROVATE: il JAR viene inviato senza modifiche",
     "the Nokia emulation classes are missing; the JAR is sent unchanged", kSuccess},
    {Id::java_installed_u811, information, kJavaOk, "UPLOAD TERMINATO CORRETTAMENTE", kJavaInstalled, kSuccess},
    {Id::java_installed_u813, information, kJavaOk, "UPLOAD COMPLETATO CORRETTAMENTE", kJavaInstalled, kSuccess},

    {Id::no_sound_selected, error, kError, "NESSUN SUONO SELEZIONATO", "no sound was chosen", kBadInput},
    {Id::sound_replaced, information, kDone, "SUONO CARICATO...", "the sound replacement has finished", kSuccess},

    {Id::no_entry_selected, error, kError,
     "NESSUN FILE SELEZIONATO: aprire una cartella con un doppio clic e scegliere un file nell'elenco",
     "no file was selected", kBadInput},
    {Id::no_such_entry, error, kError, "FILE NON PRESENTE NEL TELEFONO",
     "the folder's listing does not hold it; lg81xx-cli ls FOLDER lists what it holds", kBadInput},
    {Id::replace_file, question, kConfirm, "FILE GIÀ ESISTENTE: sostituire", "a file of that name is already there",
     kBadInput},
    {Id::replace_on_phone, question, kConfirm, "FILE GIÀ PRESENTE SUL TELEFONO: sostituire",
     "the phone already holds a file of that name in the folder", kBadInput},
    {Id::file_sent, information, kDone, "FILE INVIATO AL TELEFONO", "the file was sent", kSuccess},
    {Id::files_sent, information, kDone, "FILE INVIATI AL TELEFONO", "the files were sent", kSuccess},
    {Id::downloads_saved, information, kDownload, kDownloadsSummary, "{} saved, {} failed", kSuccess},
    // The command line ends with the status of the first entry that failed.
    {Id::downloads_not_all_saved, warning, kDownload, kDownloadsSummary, "{} saved, {} failed", kBadInput},

    {Id::backup_done, information, kBackup, kBackupSummary, kBackupEnglish, kSuccess},
    // The command line ends with the status of the first entry that failed.
    {Id::backup_not_all_saved, warning, kBackup, kBackupSummary, kBackupEnglish, kBadInput},
    {Id::archive_of_another_phone, error, kBackup, "ARCHIVIO DI UN ALTRO TELEFONO:",
     "the folder holds the archive of another phone; --force adds this phone's files to it", kBadInput},
    {Id::archive_imei_not_read, warning, kBackup, "IMEI NON LETTO: l'archivio non può essere legato al telefono",
     "the phone's IMEI could not be read, so the archive cannot be tied to it by its IMEI; the backup goes on",
     kSuccess},
    {Id::archive_unreadable, error, kError, "ARCHIVIO NON VALIDO: manifest.json non leggibile",
     "the folder's manifest.json cannot be read as an archive's manifest; nothing was changed", kLocalFile},
    {Id::no_archive, error, kError, "NESSUN ARCHIVIO NELLA CARTELLA",
     "the folder holds no manifest.json: make an archive with lg81xx-cli backup DIR", kBadInput},
    {Id::verify_intact, information, kVerify, "{} file verificati: tutti integri", "{} files checked: all intact",
     kSuccess},
    {Id::verify_damaged, error, kVerify, "{} file verificati, {} mancanti, {} modificati",
     "{} files checked, {} missing, {} changed since they were archived", kBadInput},
    {Id::restore_done, information, kRestore, kRestoreSummary, kRestoreEnglish, kSuccess},
    // The command line ends with the status of the first file that failed.
    {Id::restore_not_all_sent, warning, kRestore, kRestoreSummary, kRestoreEnglish, kBadInput},
    {Id::java_not_restored, information, kRestore,
     "CARTELLA JAVA NON RIPRISTINATA: reinstallare le applicazioni dai file JAD e JAR dell'archivio",
     "the folder Java is not restored file by file: reinstall each application with lg81xx-cli install "
     "DIR/Java/NN.jad DIR/Java/NN.jar",
     kSuccess},
    {Id::original_sound_kept, information, "",
     "SUONO ORIGINALE CONSERVATO:", "the phone's own sound was kept; sound SOUND --restore sends it back", kSuccess},
    {Id::original_sound_not_kept, warning, "", "SUONO ORIGINALE NON CONSERVATO: il telefono non ne permette la lettura",
     "the phone refused the read of its own sound, so it could not be kept; the replacement goes on", kSuccess},
    {Id::keep_needs_imei, error, kError, "IMEI NON LETTO: il suono originale non può essere conservato",
     "the phone's IMEI could not be read, so its own sound cannot be kept for it; --no-keep-original replaces it "
     "without keeping it",
     kBadInput},
    {Id::restore_needs_imei, error, kError, "IMEI NON LETTO: impossibile trovare il suono originale del telefono",
     "the phone's IMEI could not be read, and the kept sounds are found by it", kBadInput},
    {Id::no_original_sound, error, kError, "NESSUN SUONO ORIGINALE CONSERVATO PER QUESTO TELEFONO:",
     "no original of this sound was kept for this phone: it is kept before the first replacement", kBadInput},
    {Id::original_sound_restored, information, kDone, "SUONO ORIGINALE RIPRISTINATO",
     "the phone's own sound was sent back", kSuccess},
    {Id::replace_without_keeping, question, kConfirm,
     "IMEI NON LETTO: il suono originale non può essere conservato. Sostituirlo comunque?",
     "the phone's IMEI could not be read, so its own sound cannot be kept for it", kBadInput},
    {Id::file_missing, part, "", "mancante", "missing", kBadInput},
    {Id::file_changed, part, "", "modificato", "changed", kBadInput},
    {Id::damaged_in_archive, part, "", "file dell'archivio modificato: non inviato",
     "the archived file no longer matches its size and SHA-256; lg81xx-cli verify DIR lists the damage", kBadInput},
    {Id::kept_on_phone, part, "", "già presente sul telefono, mantenuto", "already on the phone; --replace replaces it",
     kBadInput},
    {Id::folder_not_on_phone, part, "", "cartella non presente sul telefono", "the phone has no such folder",
     kBadInput},

    {Id::cancel_on_close, question, kConfirm,
     "OPERAZIONE IN CORSO: annullare il trasferimento in corso e chiudere il programma?",
     "a job is running: stop it and close the program?", kSuccess},
    {Id::report_saved, information, "ASSISTENZA", "RAPPORTO SALVATO:",
     "the report for support was saved: the IMEI hidden, nothing of the files but their names", kSuccess},
    {Id::report_not_saved, error, kError, "RAPPORTO NON SALVATO:", "the report for support could not be saved",
     kLocalFile},
    {Id::diagnosis, information, "DIAGNOSI DELLA CONNESSIONE",
     "Porte, permessi e risposta del telefono:", "the ports, their rights and whether a phone answered", kSuccess},

    {Id::connect_stopped, part, "", "connessione interrotta {}", "the connect stopped {}", kNoAnswer},
    {Id::at_imei, part, "", "alla lettura dell'IMEI", "at the IMEI", kNoAnswer},
    {Id::at_obex_mode, part, "", "al passaggio in modalità OBEX", "at the switch to OBEX mode", kNoAnswer},
    {Id::at_obex_connect, part, "", "alla connessione OBEX", "at the OBEX connect", kNoAnswer},
    {Id::at_session, part, "", "all'apertura della sessione", "at the opening of the session", kNoAnswer},
    {Id::at_information, part, "", "alla lettura delle informazioni del telefono", "at the phone's information text",
     kNoAnswer},
    {Id::at_folders, part, "", "alla lettura delle cartelle", "at the list of folders", kNoAnswer},
    {Id::plug_the_phone_in, part, "", "collegare il telefono o scegliere un'altra porta",
     "plug the phone in or choose another port", kNoAnswer},
    {Id::close_the_other_program, part, "", "chiudere il programma che la usa", "close the program that uses it",
     kNoAnswer},
    {Id::join_dialout, part, "", "l'utente deve far parte del gruppo dialout", "the user must be in the group dialout",
     kNoAnswer},
    {Id::choose_another_home, part, "", "sceglierne un'altra con --home", "choose another with --home", kLocalFile},
    {Id::folders_of_model, part, "", "le cartelle del {} sono {}", "the folders of the {} are {}", kBadInput},
    {Id::no_file_on_phone, part, "", "nessun file arrivato al telefono", "no file reached the phone", kInterrupted},
    {Id::files_on_phone, part, "", "arrivati al telefono: {}", "on the phone: {}", kInterrupted},
    {Id::descriptor_and_archive_swapped, part, "", "{} è il descrittore, {} l'archivio",
     "{} is the descriptor, {} the archive", kBadInput},
    {Id::descriptor_is_archive, part, "", "{} è un archivio, non un descrittore", "{} is an archive, not a descriptor",
     kBadInput},
    {Id::descriptor_without_midlet, part, "", "{} non ha MIDlet-Name né MIDlet-Jar-URL",
     "{} has neither MIDlet-Name nor MIDlet-Jar-URL", kBadInput},
    {Id::archive_not_zip, part, "", "{} non è un archivio ZIP", "{} is not a ZIP archive", kBadInput},
    {Id::jar_sizes, part, "", "MIDlet-Jar-Size {}, {} {} byte", "MIDlet-Jar-Size {}, {} {} bytes", kSuccess},
    // Why a file was not saved; the English names the file where it stands alone.
    {Id::exists_kept, part, "", "file già esistente, non sostituito", "{} already exists; --force replaces it",
     kBadInput},
    {Id::not_a_regular_file, part, "", "non è un file normale: non viene sostituito",
     "{} is not a regular file and is never replaced", kLocalFile},
    {Id::is_a_folder, part, "", "è una cartella", "{} is a folder", kLocalFile},
    {Id::folder_missing, part, "", "la cartella non esiste", "the output folder of {} does not exist", kLocalFile},
    {Id::folder_not_writable, part, "", "cartella non scrivibile", "no file can be made in the folder of {}",
     kLocalFile},
    {Id::name_too_long_for_folder, part, "", "nome troppo lungo",
     "the name {} is too long for its folder; choose one with -o", kBadInput},
    {Id::write_error, part, "", "errore di scrittura", "{} cannot be saved", kLocalFile},
    {Id::unusable_name, part, "", "nome non utilizzabile", "the entry name \"{}\" gives no usable file name",
     kBadInput},
    {Id::not_downloaded, part, "", "non scaricato", "not downloaded", kNoAnswer},
    {Id::not_tried, part, "", "non provato", "not tried", kSuccess},
    {Id::not_tried_count, part, "", "non provati", "not tried", kSuccess},
});

std::string fill(std::string_view text, const std::string_view* args, std::size_t count) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "{}") == 0 && next < count) {
      out.append(args[next++]);
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

}  // namespace

std::span<const CatalogueEntry> whole_catalogue() { return kCatalogue; }

const CatalogueEntry& catalogue(MessageId id) {
  // Every identifier has its entry (the catalogue's test walks them all).
  return *std::find_if(kCatalogue.begin(), kCatalogue.end(), [id](const CatalogueEntry& e) { return e.id == id; });
}

std::string filled(std::string_view text, std::initializer_list<std::string_view> args) {
  return fill(text, args.begin(), args.size());
}

std::string filled(std::string_view text, const std::vector<std::string>& args) {
  std::vector<std::string_view> views(args.begin(), args.end());
  return fill(text, views.data(), views.size());
}

std::string italian(MessageId part, std::initializer_list<std::string_view> args) {
  return filled(catalogue(part).italian, args);
}

std::string english(MessageId part, std::initializer_list<std::string_view> args) {
  return filled(catalogue(part).english, args);
}

std::string Message::italian() const { return filled(entry().italian, args) + detail; }

std::string Message::english() const { return filled(entry().english, args); }

}  // namespace lg81xx
