#include "graphics/GxMemStream.h"

#include <algorithm>
#include <cstring>
#include <utility>

GxMemStream::GxMemStream(GxMemStream&& other) noexcept { TakeFrom(other); }

GxMemStream& GxMemStream::operator=(GxMemStream&& other) noexcept {
    if (this != &other) {
        Release();
        TakeFrom(other);
    }
    return *this;
}

void GxMemStream::TakeFrom(GxMemStream& other) noexcept {
    hGlobal = std::exchange(other.hGlobal, nullptr);
    lockedPtr = std::exchange(other.lockedPtr, nullptr);
    stream = std::exchange(other.stream, nullptr);
}

IStream* GxMemStream::CreateFromBytes(ByteView bytes, std::optional<std::int32_t> size) {
    Release();
    std::size_t n = bytes.size();
    if (size) n = std::min(n, static_cast<std::size_t>(std::max<std::int32_t>(*size, 0)));
    hGlobal = GlobalAlloc(GHND, n);
    if (!hGlobal) return nullptr;
    // The stream frees the block on its final release: GDI+ keeps its own reference on
    // the stream of a decoded image (and of its clones), so the block lives as long as any
    // image that may still read from it.
    if (FAILED(CreateStreamOnHGlobal(hGlobal, TRUE, &stream))) {
        stream = nullptr;
        GlobalFree(hGlobal);
        hGlobal = nullptr;
        return nullptr;
    }
    lockedPtr = GlobalLock(hGlobal);
    if (lockedPtr && n) std::memcpy(lockedPtr, bytes.data(), n);
    GlobalUnlock(hGlobal);
    return stream;
}

void GxMemStream::Release() noexcept {
    if (!stream) return;
    stream->Release();
    hGlobal = nullptr;
    lockedPtr = nullptr;
    stream = nullptr;
}

std::size_t GxMemStream::GetSize() const noexcept { return hGlobal ? GlobalSize(hGlobal) : 0; }

bool GxMemStream::AttachStream(IStream* existing) noexcept {
    Release();
    HGLOBAL block = nullptr;
    if (existing && FAILED(GetHGlobalFromStream(existing, &block))) block = nullptr;
    hGlobal = block;
    stream = existing;
    return hGlobal != nullptr;
}

Bytes GxMemStream::ReadBytes() {
    // Writing may have moved the content to another block.
    if (stream) {
        HGLOBAL current = nullptr;
        if (SUCCEEDED(GetHGlobalFromStream(stream, &current))) hGlobal = current;
    }
    if (!hGlobal) return {};
    std::size_t n = GlobalSize(hGlobal);
    // The block may be larger than what was written; the stream knows the content size.
    STATSTG stat{};
    if (stream && SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)))
        n = std::min<std::size_t>(n, static_cast<std::size_t>(stat.cbSize.QuadPart));
    Bytes bytes(n);
    lockedPtr = GlobalLock(hGlobal);
    if (lockedPtr && n) std::memcpy(bytes.data(), lockedPtr, n);
    GlobalUnlock(hGlobal);
    return bytes;
}
