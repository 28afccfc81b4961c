#include "tools/orrelume-render/recorder.h"

#include <QStandardPaths>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

extern char** environ;

namespace orrelume {

namespace {

constexpr std::array kFormats = {
    // VP9 and H.264 within their highest common levels (6.2 and 5.2).
    RecordingFormat{".webm", RecordingKind::Video, "WebM (VP9)", "webm", 16384, 35651584, true},
    RecordingFormat{".mp4", RecordingKind::Video, "MP4 (H.264)", "mp4", 4096, 8912896, true},
    // Lossless: every pixel as the renderer drew it.
    RecordingFormat{".mkv", RecordingKind::Video, "Matroska (FFV1, lossless)", "matroska", 0, 0,
                    false},
    RecordingFormat{".webp", RecordingKind::Animation, "animated WebP", "webp", 16383, 0, false},
    RecordingFormat{".gif", RecordingKind::Animation, "GIF", "gif", 0, 0, false},
};

std::string LowerExtension(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    std::string extension(name.substr(dot));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::vector<std::string_view> CodecArguments(const RecordingFormat& format) {
    const std::string_view muxer = format.muxer;
    if (muxer == "webm") {
        // The encoder's real-time settings: star fields compress well, and
        // the slower settings record a 1080p tour far below the saver's pace.
        return {"-c:v",    "libvpx-vp9", "-pix_fmt",  "yuv420p",  "-crf",      "30",
                "-b:v",    "0",          "-deadline", "realtime", "-cpu-used", "8",
                "-row-mt", "1",          "-threads",  "2"};
    }
    if (muxer == "mp4") {
        return {"-c:v", "libx264",  "-preset", "veryfast",  "-crf",
                "18",   "-pix_fmt", "yuv420p", "-movflags", "+faststart"};
    }
    if (muxer == "matroska") {
        return {"-c:v", "ffv1", "-level", "3", "-slices", "4", "-threads", "2", "-pix_fmt", "bgr0"};
    }
    if (muxer == "webp") {
        return {"-c:v", "libwebp_anim", "-lossless", "1", "-compression_level", "3", "-loop", "0"};
    }
    // GIF: one palette for the whole clip, made from every frame, without
    // dithering (it would sprinkle the black of space with noise).
    return {"-filter_complex",
            "split[a][b];[a]palettegen=stats_mode=full[p];[b][p]paletteuse=dither=none", "-loop",
            "0"};
}

std::string ReadTail(const std::string& path, size_t limit) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string all = text.str();
    while (!all.empty() && (all.back() == '\n' || all.back() == '\r'))
        all.pop_back();
    if (all.size() > limit) all = "..." + all.substr(all.size() - limit);
    return all;
}

}  // namespace

std::optional<RecordingFormat> FormatForFile(std::string_view path, RecordingKind kind) {
    const std::string extension = LowerExtension(path);
    for (const RecordingFormat& format : kFormats) {
        if (format.kind == kind && format.extension == extension) return format;
    }
    return std::nullopt;
}

std::string ExtensionList(RecordingKind kind) {
    std::vector<std::string_view> names;
    for (const RecordingFormat& format : kFormats) {
        if (format.kind == kind) names.push_back(format.extension.substr(1));
    }
    std::string list;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) list += i + 1 == names.size() ? " or " : ", ";
        list += names[i];
    }
    return list;
}

std::string SizeProblem(const RecordingFormat& format, int32_t width, int32_t height) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const std::string name(format.description);
    if (format.maxSide > 0 && (width > format.maxSide || height > format.maxSide)) {
        return name + " holds at most " + std::to_string(format.maxSide) + " pixels a side, not " +
               size;
    }
    if (format.maxPixels > 0 && int64_t{width} * height > format.maxPixels) {
        return name + " holds at most " + std::to_string(format.maxPixels) +
               " pixels in a frame, not " + size;
    }
    if (format.evenSize && (width % 2 != 0 || height % 2 != 0)) {
        return name + " needs an even width and height, not " + size;
    }
    return {};
}

std::string FrameRateText(int32_t frameDelayMs) {
    if (frameDelayMs <= 0) return "25";
    return "1000/" + std::to_string(frameDelayMs);
}

std::vector<std::string> EncoderArguments(const RecordingFormat& format, int32_t width,
                                          int32_t height, const std::string& rate,
                                          const std::string& path) {
    std::vector<std::string> args = {"-hide_banner",
                                     "-loglevel",
                                     "error",
                                     "-nostats",
                                     "-y",
                                     "-f",
                                     "rawvideo",
                                     "-pix_fmt",
                                     "bgr0",
                                     "-video_size",
                                     std::to_string(width) + "x" + std::to_string(height),
                                     "-framerate",
                                     rate,
                                     "-i",
                                     "pipe:0"};
    for (std::string_view arg : CodecArguments(format))
        args.emplace_back(arg);
    args.insert(args.end(), {"-f", std::string(format.muxer), path});
    return args;
}

bool EncoderAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty();
}

Recorder::Recorder(RecordingFormat format, std::string path)
    : format_(format), path_(std::move(path)), partPath_(path_ + ".part") {}

Recorder::~Recorder() {
    if (!finished_) Abandon();
    if (!logPath_.empty()) unlink(logPath_.c_str());
}

bool Recorder::CheckWritable() {
    const int fd = open(partPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error_ = "cannot write " + path_ + ": " + std::strerror(errno);
        return false;
    }
    close(fd);
    return true;
}

bool Recorder::Start(int32_t width, int32_t height, const std::string& rate) {
    started_ = true;
    width_ = width;
    height_ = height;
    char logTemplate[] = "/tmp/orrelume-encoder-XXXXXX";
    const int log = mkstemp(logTemplate);
    if (log < 0) {
        error_ = std::string("cannot make the encoder's log: ") + std::strerror(errno);
        return false;
    }
    logPath_ = logTemplate;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        close(log);
        error_ = std::string("cannot make a pipe: ") + std::strerror(errno);
        return false;
    }
    // A bigger pipe lets a frame go in fewer, larger writes; the default
    // works too.
    fcntl(fds[1], F_SETPIPE_SZ, 1 << 20);

    std::vector<std::string> args = EncoderArguments(format_, width, height, rate, partPath_);
    args.insert(args.begin(), "ffmpeg");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, log, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A group of its own: Ctrl+C on the terminal reaches this tool only,
    // which then ends the encoder's input so that it finishes the file.
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
    const int failed = posix_spawnp(&child_, "ffmpeg", &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(fds[0]);
    close(log);
    if (failed != 0) {
        child_ = -1;
        close(fds[1]);
        error_ = std::string("cannot run ffmpeg: ") + std::strerror(failed);
        return false;
    }
    pipe_ = fds[1];
    return true;
}

bool Recorder::AddFrame(const uint32_t* pixels) {
    if (pipe_ < 0) return false;
    const char* bytes = reinterpret_cast<const char*>(pixels);
    size_t left = static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4;
    while (left > 0) {
        const ssize_t written = write(pipe_, bytes, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            close(pipe_);
            pipe_ = -1;
            Wait();
            error_ = "the encoder stopped: " + EncoderLog();
            return false;
        }
        bytes += written;
        left -= static_cast<size_t>(written);
    }
    ++frames_;
    return true;
}

bool Recorder::Wait() {
    if (child_ <= 0) return false;
    int status = 0;
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
    child_ = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string Recorder::EncoderLog() const {
    const std::string log = logPath_.empty() ? std::string() : ReadTail(logPath_, 600);
    return log.empty() ? "ffmpeg gave no reason" : log;
}

bool Recorder::Finish() {
    if (pipe_ >= 0) {
        close(pipe_);
        pipe_ = -1;
    }
    const bool encoded = Wait();
    if (!encoded) {
        error_ = "ffmpeg could not write " + path_ + ": " + EncoderLog();
        unlink(partPath_.c_str());
        return false;
    }
    if (rename(partPath_.c_str(), path_.c_str()) != 0) {
        error_ = "cannot put " + path_ + " in place: " + std::strerror(errno);
        unlink(partPath_.c_str());
        return false;
    }
    finished_ = true;
    return true;
}

void Recorder::Abandon() {
    if (pipe_ >= 0) {
        close(pipe_);
        pipe_ = -1;
    }
    if (child_ > 0) {
        kill(child_, SIGTERM);
        Wait();
    }
    unlink(partPath_.c_str());
}

}  // namespace orrelume
