#pragma once
#include <string>
#include <string_view>

namespace lg81xx {

// The first seven characters of the model text choose the variant of every exchange.
enum class Family {
  none,
  u811_u812,  // LG U8110, LG U8120: names as 8-bit text
  u813,       // LG U8130, LG U8138: names as UTF-16LE
};

Family family_of(std::string_view model_text);

// True for one of the four supported model names exactly.
bool is_known_model(std::string_view model_text);

}  // namespace lg81xx
