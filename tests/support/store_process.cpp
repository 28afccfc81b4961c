#include "support/store_process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace orrelume::testing {

ChildProcess StartChild(const std::vector<std::string>& argv,
                        const std::map<std::string, std::string>& env) {
    std::vector<std::string> envText;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (env.count(name) == 0) envText.push_back(entry);
    }
    for (const auto& [name, value] : env) {
        if (!value.empty()) envText.push_back(name + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& entry : envText)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char*> argp;
    for (std::string& arg : args)
        argp.push_back(arg.data());
    argp.push_back(nullptr);

    ChildProcess child;
    int fds[2];
    if (pipe(fds) != 0) return child;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    pid_t pid = -1;
    if (posix_spawn(&pid, argp[0], &actions, nullptr, argp.data(), envp.data()) == 0) {
        child.pid = pid;
        child.stdoutFd = fds[0];
    } else {
        close(fds[0]);
    }
    close(fds[1]);
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

std::string ReadFirstLine(const ChildProcess& child) {
    std::string line;
    char c;
    while (line.find('\n') == std::string::npos && read(child.stdoutFd, &c, 1) == 1)
        line.push_back(c);
    return line;
}

int FinishChild(ChildProcess& child, std::string* output) {
    if (child.stdoutFd >= 0) {
        char buffer[4096];
        ssize_t n;
        while ((n = read(child.stdoutFd, buffer, sizeof buffer)) > 0) {
            if (output != nullptr) output->append(buffer, static_cast<size_t>(n));
        }
        close(child.stdoutFd);
        child.stdoutFd = -1;
    }
    int status = -1;
    if (child.pid > 0) {
        while (waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
        }
        child.pid = -1;
    }
    return status;
}

ChildResult RunChild(const std::vector<std::string>& argv,
                     const std::map<std::string, std::string>& env) {
    ChildProcess child = StartChild(argv, env);
    ChildResult result;
    const int status = FinishChild(child, &result.output);
    if (status >= 0 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

}  // namespace orrelume::testing
