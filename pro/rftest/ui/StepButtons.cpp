#include "pro/rftest/ui/StepButtons.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace kx {

StepButtons::StepButtons(const char* name, const QString& what, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromLatin1(name));
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    const struct {
        const char* suffix;
        Qt::ArrowType arrow;
        const char* said;
        int step;
    } kArrows[] = {{"Up", Qt::UpArrow, " up", 1}, {"Down", Qt::DownArrow, " down", -1}};
    for (const auto& a : kArrows) {
        auto* arrow = new QToolButton(this);
        arrow->setObjectName(objectName() + QLatin1StringView(a.suffix));
        arrow->setArrowType(a.arrow);
        arrow->setAccessibleName(what + QLatin1StringView(a.said));
        arrow->setToolTip(arrow->accessibleName());
        arrow->setFixedSize(18, 12);
        connect(arrow, &QToolButton::clicked, this, [this, step = a.step] { emit stepped(step); });
        box->addWidget(arrow);
    }
}

StepButtons::~StepButtons() = default;

} // namespace kx
