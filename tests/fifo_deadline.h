#pragma once
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

// Keeps a test that reads a named pipe from waiting for ever: should the code under test still
// be busy after `deadline`, blocked in open or in read, a writer opens the pipe, fills it and
// closes it, so that the reader goes on, and `had_to_step_in` says so. The pipe then goes, so
// that code which tries again (a lock taken in a loop) finds nothing to wait on. Code that
// refuses a pipe as it should never waits.
class FifoDeadline {
public:
    explicit FifoDeadline(std::string path,
                          std::chrono::milliseconds deadline = std::chrono::milliseconds(1000))
        : path_(std::move(path)), watcher_([this, deadline] { watch(deadline); }) {}
    ~FifoDeadline() {
        done_ = true;
        watcher_.join();
    }
    // Call once the code under test has returned.
    bool had_to_step_in() {
        done_ = true;
        return stepped_in_;
    }

private:
    void watch(std::chrono::milliseconds deadline) {
        const auto until = std::chrono::steady_clock::now() + deadline;
        while (!done_ && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        while (!done_) {
            // Opening without waiting succeeds only while somebody has the pipe open to read.
            const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                stepped_in_ = true;
                const std::vector<char> filler(65536, 0);
                [[maybe_unused]] const ssize_t wrote = ::write(fd, filler.data(), filler.size());
                ::close(fd);
                ::unlink(path_.c_str());
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::string path_;
    std::atomic<bool> done_{false}, stepped_in_{false};
    std::thread watcher_;
};
