#include "survey/ui/reference_panel.h"

#include "survey/survey_reference.h"
#include "text/number_format.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace norvane {

namespace {

QLineEdit* field(QWidget* parent, const char* name, const char* placeholder)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setPlaceholderText(QLatin1String(placeholder));
    return edit;
}

std::string textOf(const QLineEdit* edit)
{
    return edit->text().trimmed().toStdString();
}

} // namespace

ReferencePanel::ReferencePanel(QWidget* parent) : QGroupBox(QStringLiteral("Reference"), parent)
{
    setObjectName(QStringLiteral("gb_reference"));
    createControls();
    connectHandlers();
}

void ReferencePanel::createControls()
{
    rb_mean = new QRadioButton(QStringLiteral("Mean of the fixes"), this);
    rb_mean->setObjectName(QStringLiteral("rb_mean"));
    rb_mean->setChecked(true);
    rb_fixed = new QRadioButton(QStringLiteral("Fixed point"), this);
    rb_fixed->setObjectName(QStringLiteral("rb_fixed"));
    ed_reflat = field(this, "ed_reflat", "24.986761667");
    ed_reflon = field(this, "ed_reflon", "121.502056667");
    ed_refheight = field(this, "ed_refheight", "71.500");
    bt_usemean = new QPushButton(QStringLiteral("Use mean as reference"), this);
    bt_usemean->setObjectName(QStringLiteral("bt_usemean"));
    lb_refproblem = new QLabel(this);
    lb_refproblem->setObjectName(QStringLiteral("lb_refproblem"));
    lb_refproblem->setWordWrap(true);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Latitude (deg)"), ed_reflat);
    fields->addRow(QStringLiteral("Longitude (deg)"), ed_reflon);
    fields->addRow(QStringLiteral("Height (m, ellipsoid)"), ed_refheight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rb_mean);
    layout->addWidget(rb_fixed);
    layout->addLayout(fields);
    layout->addWidget(bt_usemean);
    layout->addWidget(lb_refproblem);
}

void ReferencePanel::connectHandlers()
{
    // clicked, not toggled: showMode() sets the buttons without it being a choice.
    connect(rb_mean, &QRadioButton::clicked, this, &ReferencePanel::choiceMade);
    connect(rb_fixed, &QRadioButton::clicked, this, &ReferencePanel::choiceMade);
    for (QLineEdit* edit : {ed_reflat, ed_reflon, ed_refheight})
        connect(edit, &QLineEdit::editingFinished, this, [this] {
            if (rb_fixed->isChecked())
                emit choiceMade();
        });
    connect(bt_usemean, &QPushButton::clicked, this, &ReferencePanel::useMeanClicked);
}

bool ReferencePanel::meanChosen() const
{
    return rb_mean->isChecked();
}

std::optional<Geodetic> ReferencePanel::fixedPoint(std::string& error) const
{
    return referenceOfFields(textOf(ed_reflat), textOf(ed_reflon), textOf(ed_refheight), error);
}

void ReferencePanel::showMode(ReferenceMode mode)
{
    (mode == ReferenceMode::Mean ? rb_mean : rb_fixed)->setChecked(true);
}

void ReferencePanel::showPoint(const Geodetic& point)
{
    ed_reflat->setText(QString::fromStdString(fixedText(point.latitude, 9)));
    ed_reflon->setText(QString::fromStdString(fixedText(point.longitude, 9)));
    ed_refheight->setText(QString::fromStdString(fixedText(point.height, 3)));
}

void ReferencePanel::showProblem(const std::string& text)
{
    lb_refproblem->setText(QString::fromStdString(text));
}

} // namespace norvane
