#include "shared/controls/CWaitCursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QThread>

CWaitCursor::CWaitCursor()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    // The override cursor belongs to the GUI thread.
    if (app && QThread::currentThread() == app->thread()) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_bShown = true;
    }
}

CWaitCursor::~CWaitCursor()
{
    if (m_bShown)
        QGuiApplication::restoreOverrideCursor();
}
