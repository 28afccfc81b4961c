#include "tools/orrelume-render/progress.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orrelume {

std::string ProgressText(int64_t done, int64_t total, double seconds) {
    constexpr int kWidth = 24;
    const double part = total > 0 ? std::clamp(static_cast<double>(done) / total, 0.0, 1.0) : 0.0;
    const int filled = static_cast<int>(part * kWidth);
    const double rate = seconds > 0 ? done / seconds : 0.0;
    char left[32] = "--:--";
    if (rate > 0) {
        const double remaining = (total - done) / rate;
        if (std::isfinite(remaining) && remaining >= 0 && remaining < 360000) {
            const auto whole = static_cast<int64_t>(remaining + 0.5);
            std::snprintf(left, sizeof left, "%lld:%02lld", static_cast<long long>(whole / 60),
                          static_cast<long long>(whole % 60));
        }
    }
    char text[160];
    std::snprintf(text, sizeof text, "%lld/%lld frames [%s%s] %6.1f frames/s  %s left",
                  static_cast<long long>(done), static_cast<long long>(total),
                  std::string(filled, '#').c_str(), std::string(kWidth - filled, '.').c_str(), rate,
                  left);
    return text;
}

ProgressBar::ProgressBar(int64_t total)
    : total_(total), terminal_(isatty(STDERR_FILENO) == 1), start_(Clock::now()) {}

double ProgressBar::Seconds() const {
    return std::chrono::duration<double>(Clock::now() - start_).count();
}

void ProgressBar::Update(int64_t done) {
    if (!terminal_) return;
    const Clock::time_point now = Clock::now();
    if (now - start_ < std::chrono::seconds(2)) return;
    if (shown_ && now - lastDrawn_ < std::chrono::milliseconds(200) && done < total_) return;
    lastDrawn_ = now;
    shown_ = lineOpen_ = true;
    // Back to the line's start, then clear to its end.
    std::fprintf(stderr, "\r%s\033[K", ProgressText(done, total_, Seconds()).c_str());
    std::fflush(stderr);
}

void ProgressBar::End() {
    if (!lineOpen_) return;
    std::fputc('\n', stderr);
    lineOpen_ = false;
}

}  // namespace orrelume
