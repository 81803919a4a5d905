#include "virtual_phone.h"

namespace lg81xx::sim {
namespace {

// Not built yet: claims no request.
class SessionService final : public Service {
 public:
  std::optional<Bytes> handle(const Request&, PhoneContext&) override { return std::nullopt; }
};

}  // namespace

std::unique_ptr<Service> make_session_service() { return std::make_unique<SessionService>(); }

}  // namespace lg81xx::sim
