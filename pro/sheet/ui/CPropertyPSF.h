#pragma once
// "Program Setting Flag": display flags of the running program, taken the moment they
// are clicked and kept until it ends (the configuration file is never written), the main
// page's update time, and the way to the PER test.

#include <QWidget>

class QLineEdit;

namespace kx {

struct AppContext;

class CPropertyPSF final : public QWidget {
    Q_OBJECT
public:
    CPropertyPSF(AppContext& context, QWidget* parent);

private:
    void applyUpdateTime();
    void runPerTest();

    AppContext& m_ctx;
    QLineEdit* m_updateTime = nullptr;
};

} // namespace kx
