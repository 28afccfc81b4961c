// An Xvfb display of a test's or benchmark's own, ended with the object.
// Name() is empty when Xvfb is missing or did not start.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace orrelume::testing {

class OwnDisplay {
  public:
    // `without`: extensions the server leaves out ("MIT-SHM", "RENDER").
    OwnDisplay(int width, int height, int depth, const std::vector<std::string>& without = {}) {
        int fds[2];
        if (pipe(fds) != 0) return;
        std::vector<std::string> args{
            "Xvfb",
            "-displayfd",
            std::to_string(fds[1]),
            "-screen",
            "0",
            std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth),
            "-nolisten",
            "tcp"};
        for (const std::string& extension : without) {
            args.push_back("-extension");
            args.push_back(extension);
        }
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            execvp("Xvfb", argv.data());
            _exit(127);
        }
        close(fds[1]);
        // The server writes its display number once it accepts connections.
        std::string number;
        pollfd wait{fds[0], POLLIN, 0};
        char c = 0;
        while (pid_ > 0 && poll(&wait, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(fds[0]);
        if (!number.empty()) name_ = ":" + number;
    }
    ~OwnDisplay() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    OwnDisplay(const OwnDisplay&) = delete;
    OwnDisplay& operator=(const OwnDisplay&) = delete;
    const std::string& Name() const { return name_; }

  private:
    pid_t pid_ = -1;
    std::string name_;
};

}  // namespace orrelume::testing
