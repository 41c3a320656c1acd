#pragma once
// Helpers for benchmarks against kalm07-sim: the simulator as a child process serving one
// unit on a pseudo-terminal, and a port wrapper that counts the bytes crossing the line.
#include "seams/SerialPort.h"

#include <csignal>
#include <cstddef>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vireo::bench
{

inline std::string binDir()
{
    char path[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    const std::string exe(path, n > 0 ? static_cast<std::size_t>(n) : 0);
    return exe.substr(0, exe.rfind('/'));
}

// kalm07-sim in a child process; its first stdout line is "path=busid". Killed (this child
// only) when the object goes.
class SimProcess
{
public:
    explicit SimProcess(std::vector<std::string> args)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        const std::string exe = binDir() + "/kalm07-sim";
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
            line_.push_back(c);
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

    std::string portPath() const { return line_.substr(0, line_.find('=')); }

private:
    pid_t pid_ = -1;
    std::string line_;
};

// Counts the bytes that cross the line in each direction.
class CountingPort : public SerialPort
{
public:
    explicit CountingPort(SerialPort &inner) : inner_(inner) {}
    bool open(const std::string &name, std::uint32_t baud) override { return inner_.open(name, baud); }
    void close() override { inner_.close(); }
    bool isOpen() const override { return inner_.isOpen(); }
    bool write(const std::uint8_t *data, std::size_t size) override
    {
        written += size;
        return inner_.write(data, size);
    }
    std::size_t readSome(std::uint8_t *dst, std::size_t max, std::uint32_t timeoutMs) override
    {
        const std::size_t n = inner_.readSome(dst, max, timeoutMs);
        read += n;
        return n;
    }
    void discardInput() override { inner_.discardInput(); }

    std::size_t written = 0;
    std::size_t read = 0;

private:
    SerialPort &inner_;
};

} // namespace vireo::bench
