#include "cli/Shard.h"

#include <charconv>

namespace quillane {

namespace {

std::optional<std::size_t> WholeNumber(std::string_view text)
{
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<TShard> ParseShard(const std::string& text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos) {
        return std::nullopt;
    }
    const auto index = WholeNumber(std::string_view(text).substr(0, slash));
    const auto count = WholeNumber(std::string_view(text).substr(slash + 1));
    if (!index || !count || *index < 1 || *index > *count) {
        return std::nullopt;
    }
    return TShard{*index, *count};
}

std::uint64_t StableHash(std::string_view bytes)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

bool InShard(std::string_view relativePath, const TShard& shard)
{
    return StableHash(relativePath) % shard.Count == shard.Index - 1;
}

}  // namespace quillane
