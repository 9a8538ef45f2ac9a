#pragma once

#include <exception>

// Raised, after its message has been shown, when a program cannot go on
// without the launcher INI. Each program catches it at its entry (main and
// the start-up code before the event loop); it must never pass through a Qt
// event handler, so a handler that reads product settings catches it too.
class CUserException : public std::exception
{
public:
    const char* what() const noexcept override { return "launcher INI not found"; }
};
