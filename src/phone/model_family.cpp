#include "phone/model_family.h"

namespace lg81xx {

Family family_of(std::string_view model_text) {
  const std::string_view head = model_text.substr(0, 7);
  if (head == "LG U813") return Family::u813;
  if (head == "LG U811" || head == "LG U812") return Family::u811_u812;
  return Family::none;
}

bool is_known_model(std::string_view model_text) {
  return model_text == "LG U8110" || model_text == "LG U8120" || model_text == "LG U8130" || model_text == "LG U8138";
}

}  // namespace lg81xx
