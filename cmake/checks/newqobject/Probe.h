#pragma once

#include <QObject>

class Probe : public QObject
{
    Q_OBJECT
public:
    explicit Probe(QObject* parent = nullptr);
signals:
    void changed();
};
