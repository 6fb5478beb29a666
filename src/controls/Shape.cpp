#include "controls/Shape.h"

namespace urok {

Shape::Shape(const QString &name, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace urok
