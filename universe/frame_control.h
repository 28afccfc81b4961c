// What the universe's own frames need from the frame loop that runs them.
#pragma once

namespace orrelume {

class FrameControl {
  public:
    virtual ~FrameControl() = default;
    // Marks the start of a paced frame.
    virtual void StampFrameStart() = 0;
    // Ends a frame: shows it, serves window events and waits out the frame
    // time. True when the run must stop.
    virtual bool EndOfFrame() = 0;
    // Whether a restart was asked for (read, not cleared).
    virtual bool RestartRequested() = 0;
    // After the first expansion step in the display-settings preview: let
    // window events in until the clock has moved on.
    virtual void SettleAfterFirstStep() = 0;
};

}  // namespace orrelume
