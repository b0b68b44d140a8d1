#pragma once
#include <string>
#include <utility>
#include <vector>

namespace kaza::platform {

// What a call that writes, copies or replaces did: it worked, or it failed with the system's
// error code saying why. A failure always carries a code, so it never reads as success.
class [[nodiscard]] Outcome {
public:
    // Success.
    Outcome() = default;
    // A failure with the given code; a code of 0 (a call that failed without saying why) becomes
    // ERROR_GEN_FAILURE.
    static Outcome Failed(unsigned long code);
    // A failure with the code the last system call left (GetLastError), read at once.
    static Outcome LastError();

    bool ok() const { return error_ == 0; }
    explicit operator bool() const { return ok(); }
    // 0 on success, else the system's code (ERROR_ACCESS_DENIED: no administrator rights).
    unsigned long error() const { return error_; }

private:
    explicit Outcome(unsigned long error) : error_(error) {}
    unsigned long error_ = 0;
};

// One step of a command, as the user is told of it: what was written (and which of its
// parts), and how that went. Every command that writes answers a list of these, in order.
// A refusal is a step of its own kind: nothing was tried, because what was given is not what the
// system would take. It carries its reason, never an error code.
struct Step {
    Step() = default;
    Step(std::string what, std::string detail, Outcome outcome)
        : what(std::move(what)), detail(std::move(detail)), outcome(outcome) {}
    static Step Refusal(std::string what, std::string reason) {
        Step step(std::move(what), {}, Outcome());
        step.refused = std::move(reason);
        return step;
    }

    std::string what;
    std::string detail;   // the value or file within `what`; may be empty
    Outcome outcome;      // how the write went; success for a refusal, which wrote nothing
    std::string refused;  // a refusal's reason; empty for a step that was tried

    bool refusal() const { return !refused.empty(); }
    // Tried and written: neither refused nor failed.
    bool ok() const { return !refusal() && outcome.ok(); }
};
using Steps = std::vector<Step>;

}  // namespace kaza::platform
