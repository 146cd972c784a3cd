// Counted byte buffers: the form every embedded constant (payload archive, pictures)
// has in the program image, and the owning buffers the program builds at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The layout of an embedded constant: int32 dimension count (always 1), int32 length,
// then the bytes. Lives in the read-only data of the image for the whole process.
struct ByteSet {
    std::int32_t dimensionCount;
    std::int32_t length;

    // The bytes follow the header. The compiler sees an embedded constant declared as this
    // 8-byte struct alone, so the pointer is passed through an empty asm statement: without it,
    // optimised code indexing the bytes is flagged (or mis-optimised) as out of bounds.
    const std::uint8_t* data() const noexcept {
        const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>(this + 1);
        asm("" : "+r"(bytes));
        return bytes;
    }
    std::size_t size() const noexcept { return static_cast<std::size_t>(length); }
    std::span<const std::uint8_t> bytes() const noexcept { return {data(), size()}; }
};

// A byte buffer owned by the code that made it (decoded files, encoder output ...).
using Bytes = std::vector<std::uint8_t>;
// A view of bytes owned elsewhere: an embedded ByteSet or a Bytes buffer.
using ByteView = std::span<const std::uint8_t>;
