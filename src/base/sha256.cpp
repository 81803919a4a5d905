#include "base/sha256.h"

#include <openssl/evp.h>

#include <array>
#include <stdexcept>

namespace lg81xx {

struct Sha256::State {
  EVP_MD_CTX* context = EVP_MD_CTX_new();
  ~State() { EVP_MD_CTX_free(context); }
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
  // Only memory exhaustion makes these fail; a digest that might be wrong is no digest.
  if (state_->context == nullptr || EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) != 1)
    throw std::runtime_error("SHA-256 is not available");
}

Sha256::~Sha256() = default;

void Sha256::add(std::string_view bytes) {
  if (EVP_DigestUpdate(state_->context, bytes.data(), bytes.size()) != 1) throw std::runtime_error("SHA-256 failed");
}

std::string Sha256::hex() {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int size = 0;
  if (EVP_DigestFinal_ex(state_->context, digest.data(), &size) != 1) throw std::runtime_error("SHA-256 failed");
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(size * 2);
  for (unsigned int i = 0; i < size; ++i) {
    out.push_back(kDigits[digest[i] >> 4]);
    out.push_back(kDigits[digest[i] & 0x0F]);
  }
  return out;
}

std::string sha256_hex(std::string_view bytes) {
  Sha256 hash;
  hash.add(bytes);
  return hash.hex();
}

}  // namespace lg81xx
