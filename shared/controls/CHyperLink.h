#pragma once

#include <QPushButton>
#include <QString>

// A button drawn as an underlined link: blue, orange while hovered, red while
// pressed. Enter on the focused link clicks it once however long the key is
// held. With a web address set, a click opens it in the browser.
class CHyperLink : public QPushButton
{
    Q_OBJECT
public:
    explicit CHyperLink(QWidget* parent = nullptr);
    ~CHyperLink() override;

    // Underlines the font and sizes the control to its text plus one pixel on
    // every side, keeping its position. Call after the text is set.
    void SetupLink();

    // Only http and https addresses are taken; false (and no address) for
    // anything else.
    bool SetLinkUrl(const QString& url);
    QString LinkUrl() const { return m_strUrl; }

    bool m_bHover = false;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString m_strUrl;
};
