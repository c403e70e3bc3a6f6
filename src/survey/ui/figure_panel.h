#pragma once

#include "survey/survey_report.h"

#include <QWidget>
#include <map>
#include <string>
#include <vector>

class QGridLayout;
class QLabel;

namespace norvane {

// The figures of the run as labelled values that can be selected and copied, in the order and
// with the labels of the figure list that the summary and the JSON lines use. What a receiver's
// GST sentences claim stands beside the measured deviation it claims (shown once a claim came);
// the formula value stands apart, under its formula. Figures that other measurements append to
// the list (signal strength) get rows of their own after these, in the list's order: nothing
// here needs to change for them.
class FigurePanel : public QWidget {
    Q_OBJECT

public:
    explicit FigurePanel(QWidget* parent = nullptr);

    void showFigures(const std::vector<Figure>& figures);

private:
    struct Row {
        QLabel* label = nullptr;
        QLabel* value = nullptr;
    };
    Row& rowOf(const Figure& figure);
    Row makeRow(QGridLayout* grid, const Figure& figure, int column);
    void showClaims(const std::vector<Figure>& figures);

    QGridLayout* measured_ = nullptr;
    QGridLayout* formula_ = nullptr;
    QLabel* claimHeader_ = nullptr;
    std::map<std::string, Row> rows_;
};

} // namespace norvane
