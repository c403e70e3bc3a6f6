// PLACEHOLDER (owner: view-point window).
#include "view/ui/Vp.h"
namespace norvane {
Tviewp::Tviewp(QWidget* parent) : QWidget(parent) {}
void Tviewp::plotViewPoint(const QString&, const QString&, double, double) {}
void Tviewp::FormCreate() {}
void Tviewp::Button1Click() {}
void Tviewp::Button2Click() {}
void Tviewp::Button3Click() {}
}  // namespace norvane
