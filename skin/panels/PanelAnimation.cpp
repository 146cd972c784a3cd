// The animation of a picture panel: a worker thread draws the frames of an animated
// picture in a rectangle of the panel and waits out each frame's delay.
//
// Each frame is composed off-screen (the panel picture under the rectangle, then the
// frame) and put on the window with one BitBlt: drawing in two steps straight into
// the window DC would show the wiped rectangle for most of each frame where the
// window surface is flushed late.
#include <shlwapi.h>

#include <algorithm>
#include <mutex>

#include "skin/DcGraphics.h"
#include "skin/controls/Containers.h"
#include "skin/panels/PicturePlayer.h"

namespace skin {

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

ULONGLONG nowMs() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<ULONGLONG>(counter.QuadPart / (frequency / 1000));
}

}  // namespace

// Frames without a usable delay (none stored, fewer delays than frames, 0 or 1) show
// for 100 ms, as common viewers do; no frame is shorter than 20 ms.
std::vector<DWORD> frameDelays(std::span<const std::int32_t> stored, int frameCount) {
    constexpr DWORD defaultDelay = 100;
    constexpr DWORD shortestDelay = 20;
    std::vector<DWORD> delays(static_cast<std::size_t>(std::max(frameCount, 0)), defaultDelay);
    for (std::size_t i = 0; i < delays.size() && i < stored.size(); ++i)
        if (stored[i] > 1) delays[i] = std::max<DWORD>(static_cast<DWORD>(stored[i]) * 10, shortestDelay);
    return delays;
}

void PicturePlayer::play(ByteView bytes, int x, int y, std::optional<int> width, std::optional<int> height) {
    if (playDc_ || !window_ || bytes.empty()) return;
    {
        Lock lock(pictureLock_);
        animationClip_.x = x;
        animationClip_.y = y;
        animationClip_.width = width.value_or(ownSize);
        animationClip_.height = height.value_or(ownSize);
    }
    // Decoded by the thread: the caller (a window being set up) does not wait for it.
    clipBytes_.assign(bytes.begin(), bytes.end());
    stopEvent_ = gdi::Event(gdi::Event::Reset::manual);
    wakeEvent_ = gdi::Event(gdi::Event::Reset::automatic);
    playDc_ = GetDC(window_);
    // The callback runs on the new thread before SHCreateThread returns and hands over
    // a handle to it, so that stopping can wait for the thread to end.
    if (!stopEvent_ || !wakeEvent_ || !playDc_ || !SHCreateThread(threadStart, this, 0, keepThreadHandle) || !thread_) {
        stopAnimation();
        return;
    }
}

DWORD WINAPI PicturePlayer::keepThreadHandle(void* data) {
    auto* player = static_cast<PicturePlayer*>(data);
    HANDLE self = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, SYNCHRONIZE, FALSE, 0);
    player->thread_.reset(self);
    return 0;
}

DWORD WINAPI PicturePlayer::threadStart(void* data) {
    auto* player = static_cast<PicturePlayer*>(data);
    // Without a handle to wait for, play has given up: the thread must not start.
    if (!player->thread_) return 0;
    try {
        player->animationThread();
    } catch (...) {
        // The animation simply ends.
    }
    return 0;
}

// Frame i shows from its due time for its delay. The wait ends early when the
// animation stops, or when the panel was repainted over the frame (wake): the frame is
// drawn again and the schedule goes on. A hidden panel draws nothing and the thread
// sleeps: the panel is painted when it shows again, which wakes the thread, and it
// goes on with the frame of the moment, as if the schedule had run on.
// The thread waits through the message wait (with no messages to wake it): entering
// it puts what the thread drew on the screen at once, where a plain wait can leave a
// frame in the window's surface until something else flushes it.
void PicturePlayer::animationThread() {
    GxImage image;
    if (WaitForSingleObject(stopEvent_.get(), 0) != WAIT_TIMEOUT || !image.FromBytes(clipBytes_)) return;
    const int frameCount = std::max(1, image.GetFrameCount(GxFormat::FrameTime));
    std::vector<std::int32_t> stored;
    image.GetFrameDelays(stored);
    const std::vector<DWORD> delays = frameDelays(stored, frameCount);
    {
        Lock lock(pictureLock_);
        AnimationClip& clip = animationClip_;
        if (clip.width == ownSize) clip.width = image.GetWidth();
        if (clip.height == ownSize) clip.height = image.GetHeight();
        clip.image = std::move(image);
        makeFramePictures(static_cast<std::size_t>(frameCount));
    }
    const HANDLE events[2] = {stopEvent_.get(), wakeEvent_.get()};
    int frame = 0;
    ULONGLONG due = nowMs();
    for (;;) {
        if (!drawFrame(frame, frameCount) && !panelVisible()) {
            if (MsgWaitForMultipleObjectsEx(2, events, INFINITE, 0, 0) != WAIT_OBJECT_0 + 1) return;
            catchUp(delays, frame, due);
            continue;
        }
        const ULONGLONG next = due + delays[static_cast<std::size_t>(frame)];
        for (;;) {
            const ULONGLONG now = nowMs();
            // A still picture waits for wakes only.
            const DWORD timeout = frameCount == 1 ? INFINITE : now >= next ? 0 : static_cast<DWORD>(next - now);
            const DWORD woke = MsgWaitForMultipleObjectsEx(2, events, timeout, 0, 0);
            if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED) return;
            if (woke == WAIT_TIMEOUT) break;
            if (woke == WAIT_OBJECT_0 + 1) drawFrame(frame, frameCount);
        }
        frame = (frame + 1) % frameCount;
        due = next;
        // Far behind (a stalled machine): start the frame now rather than race through.
        if (nowMs() >= due + delays[static_cast<std::size_t>(frame)]) due = nowMs();
    }
}

// Moves frame and its due time on to the frame that shows now.
void PicturePlayer::catchUp(const std::vector<DWORD>& delays, int& frame, ULONGLONG& due) {
    const ULONGLONG now = nowMs();
    ULONGLONG cycle = 0;
    for (const DWORD delay : delays) cycle += delay;
    if (now >= due + cycle) due += (now - due) / cycle * cycle;
    const auto count = static_cast<int>(delays.size());
    while (now >= due + delays[static_cast<std::size_t>(frame)]) {
        due += delays[static_cast<std::size_t>(frame)];
        frame = (frame + 1) % count;
    }
}

bool PicturePlayer::panelVisible() const {
    return IsWindowVisible(window_) && !IsIconic(GetAncestor(window_, GA_ROOT));
}

bool PicturePlayer::drawFrame(int frame, int frameCount) {
    Lock lock(pictureLock_);
    if (!clipBackdrop_ || !panelVisible()) return false;
    const AnimationClip& clip = animationClip_;
    if (clip.width <= 0 || clip.height <= 0) return false;
    const auto index = static_cast<std::size_t>(frame);
    if (index >= composedFrames_.size()) return false;
    gdi::BitmapDc& composed = composedFrames_[index];
    if (!composed) return false;
    if (!frameComposed_[index]) {
        frameComposed_[index] = 1;
        if (frameCount > 1) animationClip_.image.SelectActiveFrame(GxFormat::FrameTime, frame);
        BitBlt(composed.get(), 0, 0, clip.width, clip.height, clipBackdrop_.get(), 0, 0, SRCCOPY);
        DcGraphics surface(composed.get());
        surface.graphics().DrawImageRect(animationClip_.image, 0.0f, 0.0f, static_cast<float>(clip.width),
                               static_cast<float>(clip.height));
    }
    BitBlt(playDc_, clip.x, clip.y, clip.width, clip.height, composed.get(), 0, 0, SRCCOPY);
    framesDrawn_.fetch_add(1, std::memory_order_relaxed);
    return true;
}

void PicturePlayer::makeFramePictures(std::size_t count) {
    Lock lock(pictureLock_);
    const AnimationClip& clip = animationClip_;
    composedFrames_.resize(count);
    for (gdi::BitmapDc& picture : composedFrames_)
        picture.select(gdi::makeDibPicture(std::max(clip.width, 1), std::max(clip.height, 1)));
    frameComposed_.assign(count, 0);
    clipBackdrop_.select(gdi::makeDibPicture(std::max(clip.width, 1), std::max(clip.height, 1)));
    if (panelPicture_)
        BitBlt(clipBackdrop_.get(), 0, 0, clip.width, clip.height, panelPicture_.get(), clip.x, clip.y, SRCCOPY);
}

void PicturePlayer::wakeAnimation() {
    if (wakeEvent_) wakeEvent_.set();
}

void PicturePlayer::moveAnimation(std::optional<int> x, std::optional<int> y, std::optional<int> width,
                                  std::optional<int> height) {
    {
        Lock lock(pictureLock_);
        AnimationClip& clip = animationClip_;
        const RECT old{clip.x, clip.y, clip.x + clip.width, clip.y + clip.height};
        clip.x = x.value_or(clip.x);
        clip.y = y.value_or(clip.y);
        clip.width = width.value_or(clip.width);
        clip.height = height.value_or(clip.height);
        makeFramePictures(composedFrames_.size());
        // The old place shows what lies behind the panel until its next repaint; before
        // the picture is decoded nothing was drawn there.
        if (playDc_ && old.right > old.left && old.bottom > old.top) restoreBackdrop(window_, playDc_, old);
    }
    wakeAnimation();
}

void PicturePlayer::stopAnimation() {
    if (thread_) {
        stopEvent_.set();
        WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }
    stopEvent_.reset();
    wakeEvent_.reset();
    composedFrames_.clear();
    frameComposed_.clear();
    clipBackdrop_ = gdi::BitmapDc();
    animationClip_.image.Dispose();
    clipBytes_.clear();
    if (playDc_) ReleaseDC(window_, playDc_);
    playDc_ = nullptr;
    invalidatePanel();
}

void PicturePlayer::restoreAnimationRect(HDC dc, const RECT& rect) {
    Lock lock(pictureLock_);
    if (!panelPicture_) return;
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, panelPicture_.get(), rect.left,
           rect.top, SRCCOPY);
}

}  // namespace skin
