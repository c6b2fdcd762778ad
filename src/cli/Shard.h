#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillane {

// Shard K of N (K from 1 to N): the files whose relative path hashes to it.
struct TShard {
    std::size_t Index = 1;
    std::size_t Count = 1;
};

// "K/N" with 1 <= K <= N; none for anything else.
std::optional<TShard> ParseShard(const std::string& text);

// A hash of the bytes that is the same on every machine and in every version (64-bit
// FNV-1a), so that N machines agree on the shards without talking to each other.
std::uint64_t StableHash(std::string_view bytes);

// Whether the file with this relative path belongs to the shard.
bool InShard(std::string_view relativePath, const TShard& shard);

}  // namespace quillane
