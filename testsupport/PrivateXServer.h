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
    // screen: the screen's size, e.g. "1024x768" (wide windows need more).
    explicit PrivateXServer(const QString& screen = QStringLiteral("1024x768"));
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    bool isRunning() const { return !m_display.isEmpty(); }
    QString display() const { return m_display; }

    // Runs xdotool on this display; its standard output, trimmed ("" on
    // failure or time-out).
    QString xdotool(const QStringList& arguments, int ms = 10000) const;
    // The id of a visible window whose title matches, waiting for it; "" when
    // none shows up.
    QString waitForWindow(const QString& titlePattern, int ms = 10000) const;

private:
    QProcess m_server;
    QString m_display;
};

} // namespace korvane::test
