#pragma once

#include <cstdint>

namespace quillane {

// With the mapping threshold fixed at start-up (see GraphicsStartup), the allocator
// hands freed memory back to the system as soon as 128 KB is free at the top of a heap,
// and every large picture's buffers then fault their pages in afresh: a fifth of the
// time of a run of photos went to the kernel. Once a large picture has been opened, up
// to kKeptFreeBytes of freed memory a heap is kept for the next picture instead. A run
// of small pictures keeps the default, and the small footprint it allows.
constexpr std::uint64_t kKeptFreeBytes = std::uint64_t{16} << 20;

// Called for every picture decoded, with its size.
void KeepFreedMemoryOnceLarge(std::int64_t pixels);

// Whether the allocator has been told to keep freed memory.
bool KeepsFreedMemory();

}  // namespace quillane
