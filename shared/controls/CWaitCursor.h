#pragma once

// Shows the wait cursor for its lifetime; does nothing without a GUI
// application (tests, workers of command-line tools).
class CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    bool m_bShown = false;
};
