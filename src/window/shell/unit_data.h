#pragma once

#include <QObject>

// The program's data module. It holds nothing; it exists so the windows
// are created in their usual order.
class TUnitData : public QObject
{
    Q_OBJECT
public:
    explicit TUnitData(QObject *parent = nullptr) : QObject(parent) { setObjectName(QStringLiteral("UnitData")); }
};
