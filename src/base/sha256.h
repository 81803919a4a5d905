#pragma once
// SHA-256 digests, as lower-case hex text: the archive records one for every file it
// holds and checks it again byte for byte. libcrypto does the hashing.
#include <memory>
#include <string>
#include <string_view>

namespace lg81xx {

class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void add(std::string_view bytes);
  // The digest of everything added, as 64 hex digits; the hash is spent afterwards.
  std::string hex();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

std::string sha256_hex(std::string_view bytes);

}  // namespace lg81xx
