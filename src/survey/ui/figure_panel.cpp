#include "survey/ui/figure_panel.h"

#include "view/ui/selectable_label.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace norvane {

namespace {

// The measured deviation each GST claim stands beside.
const std::pair<const char*, const char*> kClaims[] = {
    {"sigma_n_m", "gst_sigma_lat_m"},
    {"sigma_e_m", "gst_sigma_lon_m"},
    {"sigma_u_m", "gst_sigma_alt_m"},
};
constexpr const char* kFormulaKey = "cep_formula_m";

const char* claimOf(const std::string& key)
{
    for (const auto& [measured, claim] : kClaims)
        if (key == measured)
            return claim;
    return nullptr;
}

bool isClaim(const std::string& key)
{
    return std::any_of(std::begin(kClaims), std::end(kClaims), [&](const auto& pair) { return key == pair.second; });
}

QLabel* selectableLabel(QWidget* parent, const std::string& name)
{
    auto* label = new SelectableLabel(parent);
    label->setObjectName(QString::fromStdString(name));
    return label;
}

// The room of the widest value ("-180.000000000 deg"), the same for every value: a value field
// of a fixed size takes new text every second without the window laying itself out again.
QLabel* valueLabel(QWidget* parent, const std::string& name)
{
    QLabel* label = selectableLabel(parent, name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFixedSize(QFontMetrics(label->font()).horizontalAdvance(QStringLiteral("-180.000000000 deg")) + 4,
                        label->sizeHint().height());
    return label;
}

// The claims' column keeps its room while the receiver has sent no GST, so that the first GST
// sentence does not widen the panel.
QLabel* keptInPlace(QLabel* label)
{
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    return label;
}

} // namespace

FigurePanel::FigurePanel(QWidget* parent) : QWidget(parent)
{
    measured_ = new QGridLayout;
    claimHeader_ = new QLabel(QStringLiteral("GST claim"), this);
    claimHeader_->setObjectName(QStringLiteral("lb_gstclaim"));
    keptInPlace(claimHeader_)->hide();
    measured_->addWidget(claimHeader_, 0, 2, Qt::AlignRight);
    measured_->setVerticalSpacing(2);
    auto* apart = new QFrame(this);
    apart->setFrameShape(QFrame::HLine);
    formula_ = new QGridLayout;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(measured_);
    layout->addWidget(apart);
    layout->addLayout(formula_);
    layout->addStretch();
}

FigurePanel::Row FigurePanel::makeRow(QGridLayout* grid, const Figure& figure, int column)
{
    const int at = grid->rowCount();
    Row row{selectableLabel(this, "lb_" + figure.key), valueLabel(this, "td_" + figure.key)};
    grid->addWidget(row.label, at, 0);
    grid->addWidget(row.value, at, column);
    return row;
}

FigurePanel::Row& FigurePanel::rowOf(const Figure& figure)
{
    const auto found = rows_.find(figure.key);
    if (found != rows_.end())
        return found->second;
    Row row = makeRow(figure.key == kFormulaKey ? formula_ : measured_, figure, 1);
    if (const char* claim = claimOf(figure.key)) {
        const int at = measured_->rowCount() - 1;
        rows_[claim] = {nullptr, keptInPlace(valueLabel(this, std::string("td_") + claim))};
        measured_->addWidget(rows_[claim].value, at, 2);
    }
    return rows_[figure.key] = row;
}

void FigurePanel::showFigures(const std::vector<Figure>& figures)
{
    for (const Figure& figure : figures) {
        if (isClaim(figure.key))
            continue;
        Row& row = rowOf(figure);
        const QString label = QString::fromStdString(figure.label);
        if (row.label->text() != label) {
            row.label->setText(label);
            row.value->setAccessibleName(label);
        }
        row.value->setText(QString::fromStdString(figureText(figure)));
    }
    showClaims(figures);
}

// The claims' column shows once the receiver has sent GST.
void FigurePanel::showClaims(const std::vector<Figure>& figures)
{
    bool claimed = false;
    for (const Figure& figure : figures) {
        if (!isClaim(figure.key) || !rows_.count(figure.key))
            continue;
        QLabel* value = rows_[figure.key].value;
        value->setText(QString::fromStdString(figureText(figure)));
        if (value->accessibleName().isEmpty())
            value->setAccessibleName(QString::fromStdString(figure.label));
        claimed = claimed || figure.value.has_value();
    }
    claimHeader_->setVisible(claimed);
    for (const auto& [measured, claim] : kClaims)
        if (rows_.count(claim))
            rows_[claim].value->setVisible(claimed);
}

} // namespace norvane
