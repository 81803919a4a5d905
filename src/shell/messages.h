#pragma once
// The window's own texts. The phone-facing messages are the system's and stay as they are.
namespace lg81xx::text {

inline constexpr const char* kAppTitle = "lg81xx";

inline constexpr const char* kNoReplyDots = "IL TELEFONO NON RISPONDE...";  // listings, download
inline constexpr const char* kNoReply = "IL TELEFONO NON RISPONDE";         // uploads, install, probe
inline constexpr const char* kErrorTitle = "ERRORE";

inline constexpr const char* kWinzipTitle = "WINZIP NON TROVATO";
inline constexpr const char* kWinzipText =
    "Per il funzionamento di questo programma è necessario installare WINZIP 8.1 o superiore...";

inline constexpr const char* kPositionRange = "Il Valore della posizione può avere valori compresi tra 00 e 64";

inline constexpr const char* kJavaOkTitle = "JAVA OK";
inline constexpr const char* kUploadTerminato = "UPLOAD TERMINATO CORRETTAMENTE";    // U8110, U8120
inline constexpr const char* kUploadCompletato = "UPLOAD COMPLETATO CORRETTAMENTE";  // U8130, U8138

inline constexpr const char* kSoundLoaded = "SUONO CARICATO...";
inline constexpr const char* kSoundTitle = "OPERAZIONE CONCLUSA";

// Texts this port of the tool adds, in the window's style.
inline constexpr const char* kNotConnected = "TELEFONO NON CONNESSO: premere Connetti/Disconnetti";
inline constexpr const char* kNoPortChosen = "SCEGLIERE LA PORTA DI COMUNICAZIONE";
inline constexpr const char* kNoModelChosen = "SCEGLIERE IL MODELLO DEL TELEFONO";
inline constexpr const char* kBadComItem = "PORTA COM NON VALIDA: le porte vanno da COM  1 a COM  20";
// A port that does not open: the head, ": " and the device, then what to do in brackets.
inline constexpr const char* kPortNotFound = "PORTA NON TROVATA";
inline constexpr const char* kPortInUse = "PORTA GIÀ IN USO";
inline constexpr const char* kPortDenied = "ACCESSO ALLA PORTA NEGATO";
inline constexpr const char* kPortOpenFailed = "IMPOSSIBILE APRIRE LA PORTA";  // the system's reason in brackets
// LG81XX.ini cannot be written: + ": " + the folder and what to do.
inline constexpr const char* kFolderNotWritable = "CARTELLA DEL PROGRAMMA NON SCRIVIBILE";
inline constexpr const char* kLinkLost = "CONNESSIONE CON IL TELEFONO PERSA";
inline constexpr const char* kUnknownModel = "MODELLO TELEFONO NON SUPPORTATO";
inline constexpr const char* kBadPosition = "POSIZIONE NON VALIDA: inserire due cifre tra 00 e 64";
inline constexpr const char* kNameTooLong = "NOME DEL FILE TROPPO LUNGO";
inline constexpr const char* kNameNotSupported =
    "NOME NON SUPPORTATO DAL TELEFONO: contiene caratteri che questo modello non gestisce";
inline constexpr const char* kNoEmuClasses = "CLASSI DI EMULAZIONE NON TROVATE: il JAR viene inviato senza modifiche";
inline constexpr const char* kFileReadFailed = "IMPOSSIBILE LEGGERE IL FILE";
inline constexpr const char* kFileWriteFailed = "IMPOSSIBILE SCRIVERE IL FILE";
inline constexpr const char* kNoSelection = "NESSUN FILE SELEZIONATO";
inline constexpr const char* kNoEntrySelected =
    "NESSUN FILE SELEZIONATO: aprire una cartella con un doppio clic e scegliere un file nell'elenco";
inline constexpr const char* kNoSoundSelected = "NESSUN SUONO SELEZIONATO";
inline constexpr const char* kEmptyFile = "IL FILE SCELTO È VUOTO: nessun dato da inviare";
inline constexpr const char* kRefused = "IL TELEFONO HA RIFIUTATO LA RICHIESTA";
inline constexpr const char* kBusy = "IL TELEFONO È OCCUPATO: riprovare tra qualche istante";
inline constexpr const char* kBadReply = "RISPOSTA DEL TELEFONO INCOMPLETA O NON VALIDA";
// A folder the chosen model does not have: + ": " + the folder + "; " + the model's folders.
inline constexpr const char* kNoSuchFolder = "CARTELLA NON PRESENTE SUL TELEFONO";
inline constexpr const char* kNoFolderChosen = "NESSUNA CARTELLA SELEZIONATA: scegliere una cartella del telefono";
inline constexpr const char* kFileSent = "FILE INVIATO AL TELEFONO";  // + ": " + folder/name
// Several entries downloaded into a folder: "N file salvati, M non salvati: name (why), ...".
inline constexpr const char* kDownloadTitle = "DOWNLOAD";
// A job the user stopped ("Annulla", Ctrl-C): + what reached the phone or was saved.
inline constexpr const char* kCancelled = "OPERAZIONE ANNULLATA: sessione con il telefono chiusa";
inline constexpr const char* kCancelledTitle = "ANNULLATO";
inline constexpr const char* kWrongModel = "MODELLO SBAGLIATO: il telefono collegato è un";  // + " " + model

// Nothing the user has is replaced without a question, nor sent when it is not what it
// claims to be. The heads below are followed by names and details.
inline constexpr const char* kConfirmTitle = "CONFERMA";
inline constexpr const char* kReplaceFile = "FILE GIÀ ESISTENTE: sostituire";                 // + path + "?"
inline constexpr const char* kReplaceOnPhone = "FILE GIÀ PRESENTE SUL TELEFONO: sostituire";  // + folder/name + "?"
inline constexpr const char* kReplaceApplication =
    "POSIZIONE GIÀ OCCUPATA: sostituire l'applicazione in";  // + NN + "?"
inline constexpr const char* kJavaFull = "CARTELLA JAVA PIENA: nessuna posizione libera tra 01 e 64";
inline constexpr const char* kBadJad = "FILE JAD NON VALIDO";                 // + ": " + name + why
inline constexpr const char* kBadJar = "FILE JAR NON VALIDO";                 // + ": " + name + why
inline constexpr const char* kSwappedFiles = "FILE JAD E JAR SCAMBIATI";      // + ": " + which is which
inline constexpr const char* kJarSizeDiffers = "DIMENSIONE DEL JAR DIVERSA";  // + ": " + both sizes
inline constexpr const char* kBadEmuArchive = "EMU.ZIP NON VALIDO: serve un archivio ZIP con la cartella emu";

inline constexpr const char* kCancelOnClose =
    "OPERAZIONE IN CORSO: annullare il trasferimento in corso e chiudere il programma?";

// The status line: where the window stands.
inline constexpr const char* kStatusNotConnected = "Non connesso";
inline constexpr const char* kStatusConnected = "Connesso: ";  // + model + " su " + device
inline constexpr const char* kStatusConnecting = "Connessione in corso...";
inline constexpr const char* kStatusReadingFolder = "Lettura della cartella ";  // + folder + "..."
inline constexpr const char* kStatusDownloading = "Download di ";               // + entry + "..."
inline constexpr const char* kStatusLoading = "Caricamento di JAD e JAR...";
inline constexpr const char* kStatusInstalling = "Installazione dell'applicazione in posizione ";  // + NN + "..."
inline constexpr const char* kStatusSendingSound = "Invio del suono ";                             // + caption + "..."
inline constexpr const char* kStatusSendingFile = "Invio del file ";  // + folder/name + "..."
inline constexpr const char* kStatusProbing = "Prova di lettura del primo tono messaggio...";

}  // namespace lg81xx::text
