#pragma once

#include <QWidget>

namespace urok {

// A filled rectangle (the countdown bar and the plan ribbon are made of them).
class Shape : public QWidget
{
    Q_OBJECT
public:
    explicit Shape(const QString &name, QWidget *parent = nullptr);
};

} // namespace urok
