#pragma once

#include <QPushButton>

namespace kesmond {

// A section kind of the key-layout palette: a white, black-framed face with
// its caption on one line, left aligned.
class CMsgKindButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CMsgKindButton(QWidget* parent = nullptr);
    ~CMsgKindButton() override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kesmond
