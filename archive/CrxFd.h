#pragma once

// A file descriptor that is closed with its owner.

#include <unistd.h>
#include <utility>

class CrxFd
{
public:
    explicit CrxFd(int fd = -1) : m_fd(fd) {}
    ~CrxFd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CrxFd(const CrxFd&) = delete;
    CrxFd& operator=(const CrxFd&) = delete;
    CrxFd(CrxFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    CrxFd& operator=(CrxFd&& other) noexcept
    {
        if (this != &other) {
            close();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }

    int get() const { return m_fd; }
    // false when the close failed (a write that never reached the disk).
    bool close()
    {
        const int fd = std::exchange(m_fd, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};
