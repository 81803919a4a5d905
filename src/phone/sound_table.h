#pragma once
// The eighteen system sounds of the phone: name (mes1 .. batt), caption, dialog filter and
// the path of the sound file on the phone (after the two full stops that every target path
// starts with).
#include <array>
#include <string_view>

namespace lg81xx {

struct SoundRow {
  std::string_view name;  // the sound's name: mes1 .. batt
  std::string_view caption;
  std::string_view filter;
  std::string_view path;  // "/MessageTone/Message1.mid"; the target is ".." + path
  int group;              // 0 messages, 1 camera shutter, 2 flip, 3 others
};

inline constexpr std::string_view kMidiFilter = "MIDI FILE|*.mid";
inline constexpr std::string_view kWavFilter = "Audio File|*.wav";
inline constexpr std::string_view kAudioMidFilter = "Audio File|*.mid";

inline constexpr std::array<SoundRow, 18> kSoundTable{{
    {"mes1", "Messaggio Tipo 1", kMidiFilter, "/MessageTone/Message1.mid", 0},
    {"mes2", "Messaggio Tipo 2", kMidiFilter, "/MessageTone/Message2.mid", 0},
    {"mes3", "Messaggio Tipo 3", kMidiFilter, "/MessageTone/Message3.mid", 0},
    {"mes4", "Messaggio Tipo 4", kMidiFilter, "/MessageTone/Message4.mid", 0},
    {"mes5", "Messaggio Tipo 5", kMidiFilter, "/MessageTone/Message5.mid", 0},
    {"mes6", "Messaggio Tipo 6", kMidiFilter, "/MessageTone/Message6.mid", 0},
    {"mes7", "Messaggio Tipo 7", kMidiFilter, "/MessageTone/Message7.mid", 0},
    {"mes8", "Messaggio Tipo 8", kMidiFilter, "/MessageTone/Message8.mid", 0},
    {"scatto1", "Scatto Foto Tipo 1", kWavFilter, "/CamTone/Shutter01.wav", 1},
    {"scatto2", "Scatto Foto Tipo 2", kWavFilter, "/CamTone/Shutter02.wav", 1},
    {"scatto3", "Scatto Foto Tipo 3", kWavFilter, "/CamTone/Shutter03.wav", 1},
    {"scatto4", "Scatto Foto Tipo 4", kWavFilter, "/CamTone/Shutter04.wav", 1},
    {"scatto5", "Scatto Foto Tipo 5", kWavFilter, "/CamTone/Shutter05.wav", 1},
    {"flip1", "Suono Flip Tipo 1", kAudioMidFilter, "/FlipTone/fliptone1.mid", 2},
    {"flip2", "Suono Flip Tipo 2", kAudioMidFilter, "/FlipTone/fliptone2.mid", 2},
    {"ok", "Suono Conferma", kAudioMidFilter, "/Midis/success.mid", 3},
    {"no", "Suono Errore", kAudioMidFilter, "/Midis/failure.mid", 3},
    {"batt", "Suono Batteria Scarica", kAudioMidFilter, "/Midis/LowBattery.mid", 3},
}};

// The row of the sound named `name`, or nothing.
inline const SoundRow* sound_row(std::string_view name) {
  for (const auto& row : kSoundTable)
    if (row.name == name) return &row;
  return nullptr;
}

}  // namespace lg81xx
