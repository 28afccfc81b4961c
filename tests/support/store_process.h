// Starting child processes for the store tests (POSIX).
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace orrelume::testing {

struct ChildProcess {
    pid_t pid = -1;
    int stdoutFd = -1;  // read end of the child's standard output
};

// Starts `argv[0]` with `argv`, the current environment changed by `env`
// (an empty value removes the variable), and its standard output on a pipe.
ChildProcess StartChild(const std::vector<std::string>& argv,
                        const std::map<std::string, std::string>& env = {});
// Reads the child's output up to and with its first line end (or its end):
// the child has then finished what that line reports.
std::string ReadFirstLine(const ChildProcess& child);
// Reads the child's output to its end and waits for it; the exit status as
// waitpid gives it.
int FinishChild(ChildProcess& child, std::string* output = nullptr);

// Runs a child to its end.
struct ChildResult {
    int exitCode = -1;  // -1 unless the child exited normally
    std::string output;
};
ChildResult RunChild(const std::vector<std::string>& argv,
                     const std::map<std::string, std::string>& env = {});

}  // namespace orrelume::testing
