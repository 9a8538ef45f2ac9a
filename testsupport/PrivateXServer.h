#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace korvane::test {

// A private X server (Xvfb) for end-to-end tests where keyboard focus and
// window management matter, driven with xdotool. isRunning() is false when
// Xvfb or xdotool is missing; the test then skips.
class PrivateXServer
{
public:
    // screen: the screen's size; by default the user's, on which every window
    // must fit.
    explicit PrivateXServer(const QString& screen = QStringLiteral("1280x800"));
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool isRunning() const { return !m_display.isEmpty(); }
    QString display() const { return m_display; }

    // Runs xdotool on this display; its standard output, trimmed ("" on
    // failure or time-out).
    QString xdotool(const QStringList& arguments, int ms = 10000) const;
    // The id of a visible window whose title matches, waiting for it; "" when
    // none shows up. A program's first window can take many seconds on a
    // machine busy with a parallel test run.
    QString waitForWindow(const QString& titlePattern, int ms = 30000) const;

private:
    // Held while a server starts or ends, across every test program.
    static QString LockPath();

    QProcess m_server;
    QString m_display;
};

} // namespace korvane::test
