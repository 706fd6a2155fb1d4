#pragma once
#include <stdexcept>

// The editor's standard exception: what the main routine and the message loop catch and show.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
