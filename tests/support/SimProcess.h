#pragma once
// kalm07-sim in a child process for tests and benchmarks through real pseudo-terminals. Its
// first stdout line is the VIREO_EXTRA_PORTS value of its ports. Killed (this child only)
// when the object goes.
#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vireo::test
{

inline std::string executableDir()
{
    char path[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    const std::string exe(path, n > 0 ? static_cast<std::size_t>(n) : 0);
    return exe.substr(0, exe.rfind('/'));
}

class SimProcess
{
public:
    explicit SimProcess(std::vector<std::string> args)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        const std::string exe = executableDir() + "/kalm07-sim";
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char *> argv{const_cast<char *>(exe.c_str())};
            for (auto &a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(exe.c_str(), argv.data());
            _exit(127);
        }
        ::close(out[1]);
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n')
            ports_.push_back(c);
        ::close(out[0]);
    }
    ~SimProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
    }
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // "path=busid;path=busid"
    const std::string &extraPorts() const { return ports_; }
    const std::string &firstLine() const { return ports_; }
    // The path of the n-th port listed.
    std::string portPath(std::size_t n = 0) const
    {
        std::size_t begin = 0;
        for (std::size_t i = 0; i < n && begin != std::string::npos; ++i)
            begin = ports_.find(';', begin) == std::string::npos ? std::string::npos
                                                                 : ports_.find(';', begin) + 1;
        if (begin == std::string::npos)
            return {};
        return ports_.substr(begin, ports_.find('=', begin) - begin);
    }

private:
    pid_t pid_ = -1;
    std::string ports_;
};

} // namespace vireo::test
