#pragma once

// NewsTicker: the rotating news texts of the main window's version link, read from the server's
// "AdTextInfo" value "interval|text|link|text|link...". Plain data; any thread, one at a time.

#include <string>
#include <utility>
#include <vector>

namespace app {

class NewsTicker {
public:
    // Reads value: the first field is the interval in milliseconds, then text and link fields
    // alternate. Empty fields are skipped and a trailing text without a link is dropped. Replaces
    // the pairs read before and starts again at the first. True when at least one pair was read.
    bool Parse(const std::wstring& value);

    // The text at the current position, then moves on (after the last pair, to the first).
    // Empty when there are no pairs.
    std::wstring NextText();

    // The link of the first pair whose text equals text exactly; empty when none does.
    std::wstring LinkOf(const std::wstring& text) const;

    // The interval read by Parse; 0 when the field was not a number.
    unsigned int IntervalMs() const { return intervalMs_; }
    bool HasPairs() const { return !pairs_.empty(); }

private:
    std::vector<std::pair<std::wstring, std::wstring>> pairs_;
    unsigned int intervalMs_ = 0;
    size_t position_ = 0;
};

}  // namespace app
