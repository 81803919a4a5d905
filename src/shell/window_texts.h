#pragma once
// The window's own texts besides its messages (those are the jobs' catalogue,
// jobs/messages.h): the status line and the filters of its file dialogs.
namespace lg81xx::text {

// The title of a box that has none of its own.
inline constexpr const char* kAppTitle = "lg81xx";

// The status line: where the window stands.
inline constexpr const char* kStatusNotConnected = "Non connesso";
inline constexpr const char* kStatusConnected = "Connesso: ";  // + model + " su " + device
inline constexpr const char* kStatusConnecting = "Connessione in corso...";
inline constexpr const char* kStatusReadingFolder = "Lettura della cartella ";  // + folder + "..."
inline constexpr const char* kStatusDownloading = "Download di ";               // + entry + "..."
inline constexpr const char* kStatusLoading = "Caricamento di JAD e JAR...";
inline constexpr const char* kStatusInstalling = "Installazione dell'applicazione in posizione ";  // + NN + "..."
inline constexpr const char* kStatusSendingSound = "Invio del suono ";                             // + caption + "..."
inline constexpr const char* kStatusSendingFile = "Invio del file ";                     // + folder/name + "..."
inline constexpr const char* kStatusDiagnosing = "Diagnosi della connessione...";
inline constexpr const char* kStatusBackingUp = "Backup del telefono";                   // + "..."
inline constexpr const char* kStatusRestoring = "Ripristino dal backup";                 // + "..."
inline constexpr const char* kStatusRestoringSound = "Ripristino del suono originale ";  // + caption + "..."
inline constexpr const char* kStatusProbing = "Prova di lettura del primo tono messaggio...";

// What the IMEI label shows when the phone's answer held no IMEI.
inline constexpr const char* kImeiNotRead = "IMEI non letto";

// The titles of the open dialogs: what each asks for.
inline constexpr const char* kJadTitle = "Scegli il descrittore JAD";
inline constexpr const char* kJarTitle = "Scegli l'archivio JAR";
inline constexpr const char* kSoundTitle = "Scegli il nuovo suono";
inline constexpr const char* kSendTitle = "Scegli il file da inviare al telefono";

// The filters of the open dialogs.
inline constexpr const char* kJadFilter = "Java Descriptor|*.jad";
inline constexpr const char* kJarFilter = "Java Archive|*.jar";
inline constexpr const char* kAnyFile = "Tutti i file|*";

}  // namespace lg81xx::text
