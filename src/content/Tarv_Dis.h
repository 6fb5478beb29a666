#pragma once

#include <QWidget>

namespace urok {

class WindowRegistry;

// The text holder window. It is never shown; the plan, the plan-point texts
// and the lesson information it holds are kept in the content catalogue.
class Tarv_Dis : public QWidget
{
    Q_OBJECT
public:
    explicit Tarv_Dis(WindowRegistry &windows);
    void Form_Load();
};

} // namespace urok
