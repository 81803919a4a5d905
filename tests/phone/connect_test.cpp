// The connect over a phone that answers one of its steps its own way, in both timings:
// which answers stop it, which only warn, and the IMEI it reads.
#include <gtest/gtest.h>

#include <map>

#include "support/phone_fixture.h"
#include "virtual_phone.h"

namespace lg81xx::testing {
namespace {

using std::string_literals::operator""s;

using enum JobResult;
using enum ConnectStep;

constexpr const char* kImei = "354321098765432";

// The requests of a connect: 1 AT+CGSN, 2 AT*EOBEX, 3 OBEX CONNECT, 4 the session request,
// 5 the information text, 6 20 81, 7 the root list. Those whose answers only warn:
const std::map<int, ConnectWarning> kWarnings{{1, {imei, "AT+CGSN"}},
                                              {2, {obex_mode, "AT*EOBEX"}},
                                              {4, {session, "the session request (00 81)"}},
                                              {6, {folders, "20 81"}}};

struct Row {
  const char* what;
  int request;                      // whose answer the row gives (the virtual phone answers the others)
  Bytes answer;                     // empty: none
  std::optional<JobResult> warned;  // the warning that answer gives
  JobResult result = ok;            // how the connect ends
  ConnectStep stopped_at = imei;    // where, when it stops
};

const Bytes kEcho = "AT+CGSN\r\r\n";
const Bytes kRefused = "\xC3\x00\x03"s;

const Row kRows[] = {
    {"echo on", 0, {}, {}},
    {"echo off", 1, "354321098765432\r\n\r\nOK\r\n", {}},
    {"blank lines first", 1, "\r\n\r\n354321098765432\r\n\r\nOK\r\n", {}},
    {"lone CRs: the answer never ends, the IMEI is there", 1, "AT+CGSN\r354321098765432\r\rOK\r", {}},
    {"lone LFs", 1, "AT+CGSN\n354321098765432\nOK\n", {}},
    {"no digits", 1, kEcho + "\r\nOK\r\n", bad_reply},
    {"16 digits", 1, kEcho + "3543210987654321\r\n\r\nOK\r\n", bad_reply},
    {"15 digits cut short", 1, kEcho + "354321098765432", bad_reply},
    {"AT+CGSN refused after digits", 1, kEcho + "354321098765432\r\n+CME ERROR: 10\r\n", refused},
    {"AT+CGSN unanswered", 1, "", {}, no_reply, imei},
    {"AT*EOBEX refused", 2, "AT*EOBEX\r\r\n+CME ERROR: 10\r\n", refused},
    {"AT*EOBEX: CONNECT and its rate", 2, "AT*EOBEX\r\r\nCONNECT 115200\r\n", {}},
    {"AT*EOBEX: no result", 2, "AT*EOBEX\r\r\nRING\r\n", bad_reply},
    {"AT*EOBEX unanswered", 2, "", {}, no_reply, obex_mode},
    {"OBEX CONNECT refused", 3, kRefused, {}, refused, obex_connect},
    {"session refused", 4, "\xC0\x00\x03"s, refused},
    {"session: a continue", 4, "\x90\x00\x03"s, bad_reply},
    {"session unanswered", 4, "", {}, no_reply, session},
    {"20 81 refused", 6, kRefused, refused},
    {"20 81 busy", 6, "\xD3\x00\x03"s, busy},
    {"20 81: bytes of no reply", 6, "\x01\x02\x03"s, bad_reply},
    {"20 81 unanswered", 6, "", {}, no_reply, folders},
    {"root list refused", 7, kRefused, {}, refused, folders},
    {"root list without folders", 7, "\xA0\x00\x03"s, {}, bad_reply, folders},
};

// How the three parts of a connect ended, and the IMEI they read.
struct Connected {
  JobResult result = ok;
  ConnectStep step = imei;
  std::optional<std::string> read;
};

Connected connect(Phone& phone) {
  const auto read = phone.query_imei();
  if (!read.ok()) return {read.result, read.step, {}};
  if (const auto started = phone.start_session(); !started.ok()) return {started.result, started.step, read.value};
  if (const auto folders = phone.read_folders(); !folders.ok()) return {folders.result, folders.step, read.value};
  return {ok, {}, read.value};
}

TEST(Connect, GoesOnThroughTheAnswersItDoesNotNeedAndStopsOnSilenceOrAGate) {
  for (const WaitMode mode : {WaitMode::classic, WaitMode::fast}) {
    for (const Row& row : kRows) {
      SCOPED_TRACE(std::string(row.what) + (mode == WaitMode::fast ? ", fast" : ", classic"));
      VirtualClock clock;
      FakeSerialPort port(clock);
      RecordingEvents events;
      Phone phone(port, clock, events);
      sim::VirtualPhone virtual_phone({"LG U8130", kImei, {}, 0});
      port.on_write = [&](const Bytes& frame) {
        const Bytes answer =
            port.written.size() == static_cast<std::size_t>(row.request) ? row.answer : virtual_phone.receive(frame);
        if (!answer.empty()) port.arrive(answer, 20);
      };
      std::vector<std::string> notes;
      phone.link().set_trace([&notes](Direction d, std::string_view text) {
        if (d == Direction::note) notes.emplace_back(text);
      });
      phone.link().set_mode(mode);
      phone.set_model("LG U8130");
      ASSERT_TRUE(phone.open("COM1"));

      const Connected ran = connect(phone);
      EXPECT_EQ(ran.result, row.result);
      if (ran.result != ok) {
        EXPECT_EQ(ran.step, row.stopped_at);
        EXPECT_EQ(port.written.size(), static_cast<std::size_t>(row.request));  // nothing after the step
      } else {
        EXPECT_EQ(port.written.size(), 7u);
        EXPECT_TRUE(phone.line_free());
      }
      std::vector<ConnectWarning> warnings;
      if (row.warned) {
        warnings.push_back(kWarnings.at(row.request));
        warnings.back().result = *row.warned;
      }
      EXPECT_EQ(phone.connect_warnings(), warnings);
      EXPECT_EQ(notes.size(), warnings.size());
      const bool imei_read = row.request != 1 || (!row.warned && row.result == ok);
      EXPECT_EQ(ran.read, imei_read ? std::optional<std::string>(kImei) : std::nullopt);
    }
  }
}

}  // namespace
}  // namespace lg81xx::testing
