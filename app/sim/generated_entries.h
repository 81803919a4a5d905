#pragma once
// A large folder for listings: generated files beside what the folder already holds.
#include <filesystem>
#include <string>

namespace lg81xx::sim {

// The most entries one folder may be given: their listing still fits one answer.
inline constexpr int kMostGeneratedEntries = 2000;

// The name of the `index`-th generated entry (from 1): "voce0001.txt".
std::string generated_entry_name(int index);
// Writes `count` files named so into `folder` (created when missing), each holding its own
// name. False when one cannot be written.
bool add_generated_entries(const std::filesystem::path& folder, int count);

}  // namespace lg81xx::sim
