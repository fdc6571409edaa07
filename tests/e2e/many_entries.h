// Folders with many entries, named the way people's files are named, for the
// benchmark and for the tests that need a long listing.
#pragma once

#include <string>

namespace e2e {

// The name of the index-th generated entry: a mix of office documents with
// Chinese names (code page 936), camera pictures and plain English names.
std::string GeneratedEntryName(int index);

// Creates `count` empty files in the folder. Empty files keep this fast: the
// listing depends on names only. True if every file was made.
bool FillWithEntries(const std::string& folder, int count);

}  // namespace e2e
