#pragma once
// A file the program must read (language table, an image) cannot be opened.
#include <stdexcept>
#include <string>

namespace vireo
{

class FileOpenError : public std::runtime_error
{
public:
    explicit FileOpenError(const std::string &path)
        : std::runtime_error("Cannot open file \"" + path + "\". No such file or directory"), path_(path)
    {
    }
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

} // namespace vireo
