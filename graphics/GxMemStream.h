// A COM stream over a movable global memory block: how GDI+ decodes pictures held in
// memory and encodes into memory.
#pragma once

#include <cstdint>
#include <optional>

#include "assets/ByteSet.h"
#include "graphics/GxFlat.h"

// Holds one reference on the stream, which owns the block; movable, not copyable, so the
// reference is released exactly once.
class GxMemStream {
public:
    GxMemStream() = default;
    GxMemStream(GxMemStream&& other) noexcept;
    GxMemStream& operator=(GxMemStream&& other) noexcept;
    GxMemStream(const GxMemStream&) = delete;
    GxMemStream& operator=(const GxMemStream&) = delete;
    ~GxMemStream() { Release(); }

    // Replaces the content with a copy of the bytes (or their first `size` bytes; a size
    // beyond the buffer is cut to it). The stream starts at position 0.
    IStream* CreateFromBytes(ByteView bytes, std::optional<std::int32_t> size = std::nullopt);
    void Release() noexcept;
    std::size_t GetSize() const noexcept;
    IStream* GetStream() const noexcept { return stream; }
    HGLOBAL GetHGlobal() const noexcept { return hGlobal; }
    // Takes over the caller's reference on a stream; true when a memory block is behind it.
    bool AttachStream(IStream* existing) noexcept;
    // The whole content written to the stream.
    Bytes ReadBytes();

private:
    void TakeFrom(GxMemStream& other) noexcept;

    HGLOBAL hGlobal = nullptr;
    void* lockedPtr = nullptr;
    IStream* stream = nullptr;
};
