#pragma once
// How a load or a write went: success, or a failure with its reason in words
// ("hiscore.dat: No space left on device"). Every reader and writer above the
// platform returns one, and whoever reports the failure shows Why(). Success
// holds an empty string, so it costs no allocation. Where a platform call
// failed, the reason is the one it noted (plat::LastFailure).
#include <string>
#include <utility>

class [[nodiscard]] Status {
public:
    // Success.
    Status() = default;
    static Status Failed(std::string why) {
        Status status;
        status.failed_ = true;
        status.why_ = std::move(why);
        return status;
    }

    bool Ok() const { return !failed_; }
    explicit operator bool() const { return Ok(); }
    // Empty on success.
    const std::string& Why() const { return why_; }

private:
    std::string why_;
    bool failed_ = false;
};
