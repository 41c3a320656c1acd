#pragma once
// A text that should hold a number and does not (a garbled hexadecimal field of a reply, a
// font size in the language file). The flow that meets it ends; the application reports it.
#include <stdexcept>
#include <string>

namespace vireo
{

class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const std::string &what) : std::runtime_error(what) {}
};

} // namespace vireo
