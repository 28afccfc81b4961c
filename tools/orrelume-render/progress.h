// A progress bar on the terminal for long runs: frames done, frames a
// second and the time left, redrawn in place a few times a second. It shows
// only when the standard error is a terminal and the run has taken more
// than two seconds; output to a file or a pipe stays free of it.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace orrelume {

// " 812/1500 frames [#########.........]  31.4 frames/s  0:22 left"
std::string ProgressText(int64_t done, int64_t total, double seconds);

class ProgressBar {
  public:
    explicit ProgressBar(int64_t total);
    void Update(int64_t done);
    // Ends the bar's line, if one was drawn.
    void End();
    double Seconds() const;
    // Whether the bar was drawn at all during the run.
    bool Shown() const { return shown_; }

  private:
    using Clock = std::chrono::steady_clock;
    int64_t total_;
    bool terminal_;
    bool shown_ = false, lineOpen_ = false;
    Clock::time_point start_, lastDrawn_;
};

}  // namespace orrelume
