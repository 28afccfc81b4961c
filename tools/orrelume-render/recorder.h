// Recording the frames of a run as a video or an animated picture. The
// frames go, as raw pixels through a pipe, to FFmpeg's program, which does
// all the encoding: every codec Debian builds it with, in a process of its
// own (so it encodes on the second core while the renderer draws on the
// first), and a file it always finishes properly when its input ends.
//
// A recording is written to FILE.part beside FILE and renamed to FILE only
// once the encoder has finished it, so a failed or refused recording leaves
// nothing half-written under the name asked for.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orrelume {

enum class RecordingKind { Video, Animation };

// One kind of file the tool writes, chosen by the file's extension.
struct RecordingFormat {
    std::string_view extension;  // lower case, with the dot
    RecordingKind kind;
    std::string_view description;  // for messages: "WebM (VP9)"
    std::string_view muxer;        // FFmpeg's name of the container
    // Largest width and height, and largest number of pixels in a frame
    // (0: no limit of its own), that players of this format decode.
    int32_t maxSide;
    int64_t maxPixels;
    bool evenSize;  // 4:2:0 colour: both sides must be even
};

// The format a file name asks for, if the kind of recording writes it.
std::optional<RecordingFormat> FormatForFile(std::string_view path, RecordingKind kind);
// "webm, mp4 or mkv": the extensions of a kind, for messages.
std::string ExtensionList(RecordingKind kind);
// Why a format cannot hold pictures of this size (empty: it can).
std::string SizeProblem(const RecordingFormat& format, int32_t width, int32_t height);

// Frames a second as FFmpeg reads them: "1000/40" from a frame delay in
// milliseconds (a delay of 0, frames back to back, has no pace: 25), or the
// number given by --fps.
std::string FrameRateText(int32_t frameDelayMs);

// The arguments after "ffmpeg" that read raw 32-bit pixels (blue in the low
// byte) of the given size and rate from the standard input and write the
// format to `path`.
std::vector<std::string> EncoderArguments(const RecordingFormat& format, int32_t width,
                                          int32_t height, const std::string& rate,
                                          const std::string& path);

// Whether FFmpeg's program can be run (found on the PATH).
bool EncoderAvailable();

class Recorder {
  public:
    Recorder(RecordingFormat format, std::string path);
    ~Recorder();  // an unfinished recording is removed
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    const std::string& Path() const { return path_; }
    const RecordingFormat& Format() const { return format_; }
    int64_t Frames() const { return frames_; }
    bool Started() const { return started_; }

    // Makes sure FILE.part can be written now (before a long run starts).
    // False with Error() set when it cannot.
    bool CheckWritable();
    // Starts the encoder for frames of this size at this rate.
    bool Start(int32_t width, int32_t height, const std::string& rate);
    // One frame of width x height words.
    bool AddFrame(const uint32_t* pixels);
    // Ends the input, waits for the encoder and puts the file in place.
    bool Finish();
    // Stops the encoder and removes what it wrote.
    void Abandon();

    const std::string& Error() const { return error_; }

  private:
    bool Wait();
    std::string EncoderLog() const;

    RecordingFormat format_;
    std::string path_, partPath_, logPath_;
    int32_t width_ = 0, height_ = 0;
    int pipe_ = -1;
    pid_t child_ = -1;
    int64_t frames_ = 0;
    bool started_ = false;
    bool finished_ = false;  // the file is in place and stays
    std::string error_;
};

}  // namespace orrelume
