// Root of the wrapper library: one native GDI+ object per wrapper, the status of the
// latest call in LastStatus, and the ownership rules every wrapper shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/ByteSet.h"
#include "graphics/GxFlat.h"

// GDI+ status of the most recent wrapper call on this thread (0 = Ok), shared by every
// wrapper. One per thread: the picture panels' animation threads draw through the
// wrappers too, and the UI thread must read its own call's result, not theirs.
extern thread_local std::int32_t LastStatus;

// Stores a status in LastStatus; true exactly for Ok.
inline bool GxStoreStatus(Gdiplus::GpStatus status) noexcept {
    LastStatus = status;
    return status == Gdiplus::Ok;
}

// A wrapper owns its native object: copying is forbidden so nothing is deleted twice;
// moving hands the object over and leaves the source empty.
class GxObject {
public:
    GxObject(const GxObject&) = delete;
    GxObject& operator=(const GxObject&) = delete;
    virtual ~GxObject() = default;

    void* GetNative() const noexcept { return native; }
    // Stores a handle without deleting the one held: for handing objects between wrappers.
    void SetNative(void* handle) noexcept {
        native = handle;
        Attach(handle);
    }
    bool IsEmpty() const noexcept { return native == nullptr; }

    static void* Alloc(std::size_t size) noexcept;
    static void Free(void* block) noexcept;

protected:
    GxObject() = default;
    // Stores a handle after releasing the one held (if any): how every creation stores its
    // new object, so nothing leaks. Callers outside use the typed Adopt of each class.
    void Reset(void* handle) noexcept {
        if (native && native != handle) ReleaseNative();
        SetNative(handle);
    }
    virtual void Attach(void* handle) noexcept = 0;
    // Deletes the native object the way destruction does (or not at all for the classes
    // that do not own it); leaves LastStatus alone.
    virtual void ReleaseNative() noexcept = 0;

    void* native = nullptr;
};

// Wrapper of one native kind. DeleteFn deletes it; Owns = false for the kinds that the
// wrapper only refers to (destruction leaves them alive).
template <class Native, auto DeleteFn, bool Owns = true>
class GxHandleObject : public GxObject {
public:
    using NativeType = Native;

    GxHandleObject() = default;
    GxHandleObject(GxHandleObject&& other) noexcept { TakeFrom(other); }
    GxHandleObject& operator=(GxHandleObject&& other) noexcept {
        if (this != &other) {
            GxHandleObject::ReleaseNative();
            TakeFrom(other);
        }
        return *this;
    }
    ~GxHandleObject() override { GxHandleObject::ReleaseNative(); }

    Native* Handle() const noexcept { return handle; }
    // Takes a new native object of this kind, releasing the one held: how operations that
    // yield an object into a result wrapper hand it over.
    void Adopt(Native* made) noexcept { Reset(made); }

    // False without a GDI+ call when empty.
    bool Delete() noexcept {
        if (!handle) return false;
        const auto status = DeleteFn(handle);
        SetNative(nullptr);
        return GxStoreStatus(status);
    }

protected:
    void Attach(void* h) noexcept override { handle = static_cast<Native*>(h); }
    void ReleaseNative() noexcept override {
        if constexpr (Owns) {
            if (handle) DeleteFn(handle);
        }
        SetNative(nullptr);
    }
    // Runs a creation function with an out handle, then stores the result (null on
    // failure) in place of what the wrapper held.
    template <class Out = Native, class Create>
    bool Make(Create&& create) noexcept {
        Out* made = nullptr;
        const auto status = create(&made);
        Adopt(made);
        return GxStoreStatus(status);
    }

    Native* handle = nullptr;

private:
    void TakeFrom(GxHandleObject& other) noexcept {
        SetNative(other.handle);
        other.SetNative(nullptr);
    }
};

// Text crosses to GDI+ as UTF-16 converted from the ANSI code page, and back.
std::wstring GxWiden(const char* text);
std::string GxNarrow(const wchar_t* text, int length = -1);
