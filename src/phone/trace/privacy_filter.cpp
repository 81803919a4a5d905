#include "phone/trace/privacy_filter.h"

#include <algorithm>
#include <optional>

#include "link/trace_format.h"
#include "phone/trace/session_reader.h"

namespace lg81xx {
namespace {

constexpr std::size_t kHiddenDigits = kImeiLength - kImeiShownDigits;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Where the runs of exactly 15 digits of `text` start.
std::vector<std::size_t> imei_runs(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size();) {
    if (!is_digit(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && is_digit(text[end])) ++end;
    if (end - i == kImeiLength) starts.push_back(i);
    i = end;
  }
  return starts;
}

void remember(std::vector<std::string>& imeis, std::string_view imei) {
  if (std::find(imeis.begin(), imeis.end(), imei) == imeis.end()) imeis.emplace_back(imei);
}

// The positions of the hex pairs that spell the digits of `imei` from `at`, as ASCII
// bytes (or UTF-16LE units when `wide`), blanks allowed between the bytes.
std::optional<std::vector<std::size_t>> hex_spelling_at(std::string_view text, std::size_t at, std::string_view imei,
                                                        bool wide) {
  std::vector<std::size_t> pairs;
  std::size_t i = at;
  const auto pair_is = [&](char high, char low) {
    if (i + 1 >= text.size() || text[i] != high || text[i + 1] != low) return false;
    i += 2;
    return true;
  };
  const auto skip_blanks = [&] {
    while (i < text.size() && is_blank(text[i])) ++i;
  };
  for (std::size_t k = 0; k < imei.size(); ++k) {
    if (k > 0) skip_blanks();
    pairs.push_back(i);
    if (!pair_is('3', imei[k])) return std::nullopt;
    if (wide) {
      skip_blanks();
      if (!pair_is('0', '0')) return std::nullopt;
    }
  }
  return pairs;
}

void hide_hex_spellings(std::string& text, std::string_view imei) {
  for (std::size_t at = text.find('3'); at != std::string::npos; at = text.find('3', at + 1)) {
    for (const bool wide : {false, true}) {
      const auto pairs = hex_spelling_at(text, at, imei, wide);
      if (!pairs) continue;
      for (std::size_t k = 0; k < kHiddenDigits; ++k) text.replace((*pairs)[k], 2, "2A");
      break;
    }
  }
}

void hide_digits(std::string& text, std::size_t at) {
  std::fill_n(text.begin() + static_cast<std::ptrdiff_t>(at), kHiddenDigits, '*');
}

// The spans of both lists, in order, overlapping ones joined.
std::vector<ByteSpan> joined(std::vector<ByteSpan> spans) {
  std::sort(spans.begin(), spans.end(), [](const ByteSpan& a, const ByteSpan& b) { return a.start < b.start; });
  std::vector<ByteSpan> out;
  for (const auto& span : spans) {
    if (span.length == 0) continue;
    if (!out.empty() && span.start <= out.back().start + out.back().length) {
      out.back().length = std::max(out.back().start + out.back().length, span.start + span.length) - out.back().start;
    } else {
      out.push_back(span);
    }
  }
  return out;
}

struct TraceLine {
  std::string text;  // the line as it was, when it is no frame
  std::optional<TraceRecord> record;
};

// The IMEIs among the bytes of the records, read across the records of one direction
// in a row (an answer may come in pieces), hidden in place.
void hide_imeis_in_records(std::vector<TraceLine>& lines, const std::vector<std::string>& known) {
  std::size_t first = 0;
  while (first < lines.size()) {
    if (!lines[first].record) {
      ++first;
      continue;
    }
    const bool sent = lines[first].record->direction == Direction::sent;
    std::string joined_bytes;
    std::vector<std::pair<std::size_t, std::size_t>> origin;  // line, byte
    std::size_t last = first;
    for (; last < lines.size(); ++last) {
      if (!lines[last].record) continue;
      const TraceRecord& r = *lines[last].record;
      if ((r.direction == Direction::sent) != sent) break;
      for (std::size_t i = 0; i < r.bytes.size(); ++i) origin.emplace_back(last, i);
      joined_bytes += r.bytes;
    }
    std::vector<std::size_t> starts = imei_runs(joined_bytes);
    for (const auto& imei : known)
      for (auto at = joined_bytes.find(imei); at != std::string::npos; at = joined_bytes.find(imei, at + 1))
        starts.push_back(at);
    for (const std::size_t at : starts)
      for (std::size_t k = 0; k < kHiddenDigits; ++k) {
        const auto [line, byte] = origin[at + k];
        lines[line].record->bytes[byte] = '*';
      }
    first = last;
  }
}

}  // namespace

std::string masked_imei(std::string_view imei) {
  const std::size_t hidden = imei.size() > kImeiShownDigits ? imei.size() - kImeiShownDigits : imei.size();
  return std::string(hidden, '*') + std::string(imei.substr(hidden));
}

void PrivacyFilter::learn(std::string_view text) {
  for (const std::size_t at : imei_runs(text)) remember(imeis_, text.substr(at, kImeiLength));
  const Trace trace = read_trace(text);
  for (const auto& record : trace.records)
    for (const std::size_t at : imei_runs(record.bytes))
      remember(imeis_, std::string_view(record.bytes).substr(at, kImeiLength));
}

std::string PrivacyFilter::text(std::string_view text) const {
  std::string out(text);
  for (const std::size_t at : imei_runs(out)) hide_digits(out, at);
  for (const auto& imei : imeis_) {
    for (auto at = out.find(imei); at != std::string::npos; at = out.find(imei, at + 1)) hide_digits(out, at);
    hide_hex_spellings(out, imei);
  }
  return out;
}

std::string PrivacyFilter::trace(std::string_view trace_text, Family family) const {
  if (family == Family::none) family = family_of_trace(read_trace(trace_text)).family;
  std::vector<TraceLine> lines;
  for (std::string_view rest = trace_text; !rest.empty();) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    std::optional<TraceRecord> record;
    if (!line.starts_with('#')) record = read_trace_line(line);
    lines.push_back({record ? std::string{} : std::string(line), std::move(record)});
  }

  SessionReader reader(family);
  for (auto& line : lines) {
    if (!line.record) continue;
    TraceRecord& record = *line.record;
    std::vector<ByteSpan> spans = record.hidden;
    for (const auto& span : reader.read(record).file_data) spans.push_back(span);
    record.hidden = joined(std::move(spans));
  }
  hide_imeis_in_records(lines, imeis_);

  std::string out;
  for (const auto& line : lines) {
    if (line.record) {
      out += trace_line(line.record->time_ms, line.record->direction, line.record->bytes, line.record->hidden);
    } else {
      out += text(line.text);
    }
    out += '\n';
  }
  if (!trace_text.empty() && trace_text.back() != '\n' && !out.empty()) out.pop_back();
  return out;
}

}  // namespace lg81xx
