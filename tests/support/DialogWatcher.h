// Answers the message boxes a test provokes: a worker thread looks for dialog boxes of
// this process with the given caption, records their text and presses OK.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing {

class DialogWatcher {
public:
    explicit DialogWatcher(std::string caption);
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;
    ~DialogWatcher();

    // The texts of the boxes answered so far.
    std::vector<std::string> texts() const;

private:
    void watch() noexcept;

    std::string caption_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

}  // namespace testing
