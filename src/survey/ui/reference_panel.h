#pragma once

#include "survey/geodesy.h"
#include "survey/survey_figures.h"

#include <QGroupBox>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace norvane {

// The reference choice: the mean of the fixes, or a fixed point given as latitude and longitude
// in signed decimal degrees and height above the ellipsoid in metres; "Use mean as reference"
// fills the fields with the mean and fixes it. The panel only reads and shows: the window
// decides what the survey uses.
class ReferencePanel : public QGroupBox {
    Q_OBJECT

public:
    explicit ReferencePanel(QWidget* parent = nullptr);

    bool meanChosen() const;
    // The point the three fields give, or nothing with the reason (which field, and why).
    std::optional<Geodetic> fixedPoint(std::string& error) const;

    // The survey's choice and point as they stand, without signalling a choice.
    void showMode(ReferenceMode mode);
    void showPoint(const Geodetic& point);
    void showProblem(const std::string& text);

signals:
    // A button chosen, or a field left with Fixed chosen.
    void choiceMade();
    void useMeanClicked();

private:
    void createControls();
    void connectHandlers();

    QRadioButton* rb_mean = nullptr;
    QRadioButton* rb_fixed = nullptr;
    QLineEdit* ed_reflat = nullptr;
    QLineEdit* ed_reflon = nullptr;
    QLineEdit* ed_refheight = nullptr;
    QPushButton* bt_usemean = nullptr;
    QLabel* lb_refproblem = nullptr;
};

} // namespace norvane
