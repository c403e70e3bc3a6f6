// PLACEHOLDER (owner: restart test window).
#include "control/ui/Testgps.h"
namespace norvane {
TFtest::TFtest(QWidget* parent) : QWidget(parent) {}
}  // namespace norvane
