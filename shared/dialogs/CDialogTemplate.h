#pragma once

#include "shared/controls/FindControlById.h"
#include "shared/lang/WindowText.h"

#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

// Builds a dialog in code from its template: the dialog's size and its
// controls' places in dialog units of the template font, each control with
// its control id and its language key (or "") as its first text.
class CDialogTemplate
{
public:
    // Gives the dialog its font ("pointSize" points of the application font)
    // and its fixed size.
    CDialogTemplate(QWidget* dialog, int pointSize, int width, int height);

    // Dialog units to pixels, as the template font measures them.
    QRect Map(int x, int y, int width, int height) const;

    template <class T> T* Add(uint id, const QString& key, int x, int y, int width, int height)
    {
        auto* control = new T(m_pDialog);
        Place(control, id, key, x, y, width, height);
        return control;
    }

private:
    void Place(QWidget* control, uint id, const QString& key, int x, int y, int width,
               int height) const;

    QWidget* m_pDialog;
    QFont m_font;
    int m_nBaseX = 0;
    int m_nBaseY = 0;
};
